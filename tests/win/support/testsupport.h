// Helpers for the Win32 tests: waiting with a pumped queue, other processes,
// copies of the program under names of their own, registry clean-up.
#pragma once
#include <windows.h>

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

// Points the import slot of `module` that holds `from` at `to`, so that the
// module's calls of that function reach `to`; false when no slot holds it.
bool RedirectImport(HMODULE module, const void* from, const void* to);

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
// beside it; the folder and the key HKCU\Software\QovSoft\<name> go with
// the object.
class ProgramCopy {
 public:
  explicit ProgramCopy(const char* tag);
  ~ProgramCopy();
  const std::string& Path() const { return m_path; }
  const std::string& AppName() const { return m_appName; }
  const std::string& Dir() const { return m_dir; }

 private:
  std::string m_dir, m_path, m_appName;
};

// A copy of the program started for a test, with its main window and edge
// bars once it shows them.  Killed if still running when the object goes.
class RunningProgram {
 public:
  explicit RunningProgram(const char* tag) : m_copy(tag) {}

  // Starts the copy and waits for its main window.
  bool Start();
  HWND Main() const { return m_main; }
  // The edge bars: the program's untitled visible windows, wide or tall.
  HWND HorizontalBar() const;
  HWND VerticalBar() const;
  // Settings key of the copy: HKCU\<Key()>\<section>.
  std::string Key() const { return "Software\\QovSoft\\" + m_copy.AppName(); }
  Process& Proc() { return m_process; }
  bool EndsWithin(DWORD ms, DWORD* exitCode = nullptr) {
    return m_process.WaitForExit(ms, exitCode);
  }

 private:
  HWND Bar(bool horizontal) const;

  ProgramCopy m_copy;
  Process m_process;
  HWND m_main = nullptr;
};

// Deletes HKCU\Software\QovSoft\<appName> now and when the object goes.
class AppKeyGuard {
 public:
  explicit AppKeyGuard(std::string appName);
  ~AppKeyGuard();

 private:
  std::string m_appName;
};
void DeleteAppKey(const std::string& appName);
bool KeyExists(const std::string& path);  // under HKCU
bool ValueExists(const std::string& keyPath, const char* value);
void SetDword(const std::string& keyPath, const char* value, DWORD data);
void SetRaw(const std::string& keyPath, const char* value, DWORD type, const void* data,
            DWORD size);
int ValueCount(const std::string& keyPath);

// The kernel handles open in a process, counted by probing every handle value
// in use (Wine answers GetProcessHandleCount with 0).
int OpenHandles(HANDLE process = GetCurrentProcess());

}  // namespace qovtest
