// Helpers for the Win32 tests: waiting with a pumped queue, other processes,
// copies of the program under names of their own, registry clean-up.
#pragma once
#include <windows.h>
#include <shlwapi.h>

#include <functional>
#include <string>
#include <vector>

namespace qovtest {

// Dispatches this thread's messages until `done` holds or `timeoutMs` passes.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);
// Dispatches this thread's messages for `ms` milliseconds.
void Pump(DWORD ms);

// Runs `action` once on the window that `find` returns, from inside whatever
// message loop this thread runs meanwhile: a modal dialog's, which the test
// starts after making the driver, and which runs to its end inside the
// test's call.  A thread timer looks for the window every 20 ms for up to
// `timeoutMs`.  One driver at a time.
class ModalDriver {
 public:
  ModalDriver(std::function<HWND()> find, std::function<void(HWND)> action,
              DWORD timeoutMs = 5000);
  ~ModalDriver();
  ModalDriver(const ModalDriver&) = delete;
  ModalDriver& operator=(const ModalDriver&) = delete;
  // How many times the window was found and handed to the action (0 or 1).
  int Runs() const { return m_runs; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  std::function<HWND()> m_find;
  std::function<void(HWND)> m_action;
  DWORD m_start;
  DWORD m_timeout;
  UINT_PTR m_timer;
  int m_runs = 0;
};

// A visible dialog of this thread owned by `owner`, with a title unless null.
// Tool windows (the edge bars are dialogs owned by the main window too) do
// not count.
HWND FindOwnedDialog(HWND owner, const char* title = nullptr);

// A Windows path for a folder named by a test environment variable, which
// ctest gives as a host path ("/work/build" becomes "Z:\\work\\build").
std::string DirFromEnv(const char* name);
std::string ProgramPath(const char* fileName);  // in QOV_PROGRAM_DIR
std::string HelperPath(const char* fileName);   // in QOV_HELPER_DIR

// The text of a window as ANSI (code page 932) bytes.
std::string WindowText(HWND hwnd);
// Makes a window the foreground window; false if it does not become it.
bool Activate(HWND hwnd);

// Visible top-level windows of a process, optionally with a given caption.
std::vector<HWND> TopLevelWindows(DWORD processId, bool visibleOnly = true);

// A process started for a test, killed if still running when the object goes.
class Process {
 public:
  Process() = default;
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  // Starts in `currentDir` when given, else in this process's current folder.
  bool Start(const std::string& commandLine, const std::string& currentDir = std::string());
  bool WaitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr);
  // Ends it from `window`'s system menu: true when it exits with 0 within `timeoutMs`.
  bool CloseFrom(HWND window, DWORD timeoutMs = 5000) {
    DWORD code = 1;
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    return WaitForExit(timeoutMs, &code) && code == 0;
  }
  bool Running() const;
  DWORD Id() const { return m_info.dwProcessId; }
  void Kill();

 private:
  PROCESS_INFORMATION m_info = {};
};

// Windows of another program (qov_helper.exe host), one per layout
// "CLASS|TITLE|X,Y,W,H|FLAGS" (flags: m minimised, h hidden, c and a Ctrl and
// Alt held, o owned by the window before it).
class WindowHost {
 public:
  // Makes the host stop pumping messages for `ms` milliseconds.
  void Hang(DWORD ms) { PostMessageA(m_windows.at(0), WM_APP + 1, ms, 0); }
  bool Start(const std::vector<std::string>& windows);
  // The host's window with this title (the first, if several share it).
  HWND Find(const std::string& title) const;
  // Every window the host made, in the order of the layouts.
  const std::vector<HWND>& Windows() const { return m_windows; }
  Process& Proc() { return m_process; }

 private:
  Process m_process;
  std::vector<HWND> m_windows;
};

// While the object lives, the import slot of `module` for `function` of
// `dll` points at `to`, so that the module's calls of that function reach it.
class ImportStandIn {
 public:
  template <typename F>
  ImportStandIn(HMODULE module, const char* dll, const char* function, F* to)
      : ImportStandIn(module, dll, function, reinterpret_cast<const void*>(to)) {}
  ImportStandIn(HMODULE module, const char* dll, const char* function, const void* to);
  ~ImportStandIn();
  ImportStandIn(const ImportStandIn&) = delete;
  ImportStandIn& operator=(const ImportStandIn&) = delete;
  bool Active() const { return m_slot != nullptr; }
  const void* Original() const { return m_original; }

 private:
  const void* m_original;
  const void** m_slot = nullptr;
};

// The bytes of this process's heaps in use.
size_t HeapBytesInUse();

RECT WindowRect(HWND hwnd);
inline bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The stand-in shell (qov_helper.exe shell, QOV_HELPER_DIR): a "Progman" window
// titled "Program Manager" and its "SHELLDLL_DefView" child in the process's
// main thread, the desktop icon list view ("SysListView32") in a desktop
// thread of its own.  The process ends with the object.
class ShellStandIn {
 public:
  explicit ShellStandIn(DWORD listStyle = WS_CHILD | WS_VISIBLE /* LVS_ICON */);
  bool Started() const { return m_list != nullptr; }
  DWORD DesktopThread() const { return m_thread; }
  Process& Proc() { return m_process; }

  DWORD Style() const { return static_cast<DWORD>(GetWindowLongA(m_list, GWL_STYLE)); }
  DWORD View() const { return Style() & 3; }  // LVS_TYPEMASK
  // Sets the list view's style from its own thread, as the shell would.
  void SetStyle(DWORD style) const;
  // Answer of the list view to a message of tools/shell_standin.h; -1 when it
  // does not answer.
  LRESULT Ask(UINT message, LPARAM value = 0) const;
  // Posts `count` WM_NULL to the desktop thread and waits until that thread
  // has retrieved them, and so run its WH_GETMESSAGE hooks for each.
  bool PostAndWait(int count = 1, DWORD timeoutMs = 10000);

 private:
  Process m_process;
  HWND m_list = nullptr;
  DWORD m_thread = 0;
};

// QovDesktop.exe copied into a folder of its own under a unique file name,
// so that it reads and writes a registry key of its own, with QOV32.dll
// beside it, and started for a test.  When the object goes, the copy is
// killed if still running, and its folder and its key go with it.
class RunningProgram {
 public:
  explicit RunningProgram(const char* tag);
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  // Starts the copy and waits for its main window.
  bool Start();
  HWND Main() const { return m_main; }
  // The edge bars: the program's untitled visible windows, wide or tall.
  HWND HorizontalBar() const { return Bar(true); }
  HWND VerticalBar() const { return Bar(false); }
  // Settings key of the copy: HKCU\<Key()>\<section>.
  std::string Key() const { return "Software\\QovSoft\\" + m_appName; }
  Process& Proc() { return m_process; }

 private:
  HWND Bar(bool horizontal) const;

  std::string m_dir, m_path, m_appName;
  Process m_process;
  HWND m_main = nullptr;
};

// Deletes HKCU\Software\QovSoft\<appName>; never the whole company key.
void DeleteAppKey(const std::string& appName);
// Deletes that key now and when the object goes.
struct AppKeyGuard {
  explicit AppKeyGuard(std::string name) : appName(std::move(name)) { DeleteAppKey(appName); }
  ~AppKeyGuard() { DeleteAppKey(appName); }
  std::string appName;
};
// Values under HKCU, the key made when missing.
inline void SetRaw(const std::string& keyPath, const char* value, DWORD type, const void* data,
                   DWORD size) {
  SHSetValueA(HKEY_CURRENT_USER, keyPath.c_str(), value, type, data, size);
}
inline void SetDword(const std::string& keyPath, const char* value, DWORD data) {
  SetRaw(keyPath, value, REG_DWORD, &data, sizeof(data));
}
inline bool ValueExists(const std::string& keyPath, const char* value) {
  return RegGetValueA(HKEY_CURRENT_USER, keyPath.c_str(), value, RRF_RT_ANY, nullptr, nullptr,
                      nullptr) == ERROR_SUCCESS;
}
int ValueCount(const std::string& keyPath);  // -1 when the key is missing
inline bool KeyExists(const std::string& keyPath) { return ValueCount(keyPath) >= 0; }

// The kernel handles open in a process, counted by probing every handle value
// in use (Wine answers GetProcessHandleCount with 0).
int OpenHandles(HANDLE process = GetCurrentProcess());

}  // namespace qovtest
