// Helpers for the Win32 tests: waiting with a pumped queue, other processes,
// copies of the program under names of their own, registry clean-up.
#pragma once
#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "tools/shell_standin.h"

namespace qovtest {

// Dispatches this thread's messages until `done` holds or `timeoutMs` passes.
inline bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (done()) return true;
    if (GetTickCount() - start >= timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}
// Dispatches this thread's messages for `ms` milliseconds.
inline void Pump(DWORD ms) { WaitUntil([] { return false; }, ms); }

// Runs `action` once on the window that `find` returns, from inside whatever
// message loop this thread runs meanwhile: a modal dialog's, which the test
// starts after making the driver, and which runs to its end inside the
// test's call.  A thread timer looks for the window every 20 ms for up to
// `timeoutMs`.  One driver at a time.
class ModalDriver {
 public:
  ModalDriver(std::function<HWND()> find, std::function<void(HWND)> action,
              DWORD timeoutMs = 5000)
      : m_find(std::move(find)), m_action(std::move(action)), m_ticksLeft(timeoutMs / 20) {
    Current() = this;
    m_timer = SetTimer(nullptr, 0, 20, Tick);
  }
  ~ModalDriver() {
    if (m_timer) KillTimer(nullptr, m_timer);
    if (Current() == this) Current() = nullptr;
  }
  ModalDriver(const ModalDriver&) = delete;
  ModalDriver& operator=(const ModalDriver&) = delete;
  // How many times the window was found and handed to the action (0 or 1).
  int Runs() const { return m_runs; }

 private:
  static ModalDriver*& Current() {
    static ModalDriver* driver = nullptr;
    return driver;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    ModalDriver* driver = Current();
    if (!driver || !driver->m_timer) return;
    HWND window = driver->m_find();
    if (!window && --driver->m_ticksLeft > 0) return;
    // Stopped first: the action may run a message loop of its own.
    KillTimer(nullptr, driver->m_timer);
    driver->m_timer = 0;
    if (!window) return;
    ++driver->m_runs;
    driver->m_action(window);
  }

  std::function<HWND()> m_find;
  std::function<void(HWND)> m_action;
  DWORD m_ticksLeft;
  UINT_PTR m_timer;
  int m_runs = 0;
};

// Chooses an item of a window's system menu as a user does: the menu opens
// as from a right click on its taskbar button (WM_POPUPSYSTEMMENU), Home
// selects its first item, the down arrow goes `item` items further (a
// separator is no item), the right arrow opens its popup with the first item selected
// and goes down to `subItem`, and Enter chooses.  Everything is posted: the
// window's thread runs the menu when it next reads its messages.
inline void ChooseFromSystemMenu(HWND window, int item, int subItem = -1) {
  PostMessageA(window, 0x0313 /* WM_POPUPSYSTEMMENU */, 0, MAKELPARAM(10, 10));
  std::vector<WPARAM> keys = {VK_HOME};
  keys.insert(keys.end(), item, VK_DOWN);
  if (subItem >= 0) {
    keys.push_back(VK_RIGHT);
    keys.insert(keys.end(), subItem, VK_DOWN);
  }
  keys.push_back(VK_RETURN);
  for (WPARAM key : keys) {
    PostMessageA(window, WM_KEYDOWN, key, 1);
    PostMessageA(window, WM_KEYUP, key, 0xC0000001);
  }
}

// The text of a window as ANSI (code page 932) bytes.
inline std::string WindowText(HWND hwnd) {
  char text[512] = "";
  GetWindowTextA(hwnd, text, sizeof(text));
  return text;
}

inline std::string ClassOf(HWND hwnd) {
  char name[256] = "";
  GetClassNameA(hwnd, name, sizeof(name));
  return name;
}

inline RECT WindowRect(HWND hwnd) {
  RECT rect = {};
  GetWindowRect(hwnd, &rect);
  return rect;
}
inline bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The top-level windows for which `keep` holds: of this thread, or of all.
inline std::vector<HWND> WindowsWhere(const std::function<bool(HWND)>& keep, bool thisThread) {
  struct Search {
    static BOOL CALLBACK Collect(HWND hwnd, LPARAM lp) {
      auto* search = reinterpret_cast<Search*>(lp);
      if (search->keep(hwnd)) search->found.push_back(hwnd);
      return TRUE;
    }
    const std::function<bool(HWND)>& keep;
    std::vector<HWND> found;
  } search{keep, {}};
  if (thisThread)
    EnumThreadWindows(GetCurrentThreadId(), Search::Collect, reinterpret_cast<LPARAM>(&search));
  else
    EnumWindows(Search::Collect, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Visible top-level windows of a process, or all of them.
inline std::vector<HWND> TopLevelWindows(DWORD processId, bool visibleOnly = true) {
  return WindowsWhere(
      [&](HWND hwnd) {
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        return pid == processId && (!visibleOnly || IsWindowVisible(hwnd));
      },
      false);
}

// A visible dialog of this thread owned by `owner`, with a title unless null.
// Tool windows (the edge bars are dialogs owned by the main window too) do
// not count.
inline HWND FindOwnedDialog(HWND owner, const char* title = nullptr) {
  const std::vector<HWND> found = WindowsWhere(
      [&](HWND hwnd) {
        char className[256] = "";
        GetClassNameA(hwnd, className, sizeof(className));
        return GetWindow(hwnd, GW_OWNER) == owner && IsWindowVisible(hwnd) &&
               lstrcmpA(className, "#32770") == 0 &&
               !(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) &&
               (!title || WindowText(hwnd) == title);
      },
      true);
  return found.empty() ? nullptr : found[0];
}

// Makes a window the foreground window; false if it does not become it.
inline bool Activate(HWND hwnd) {
  return WaitUntil(
      [&] {
        SetForegroundWindow(hwnd);
        return GetForegroundWindow() == hwnd;
      },
      3000);
}

// A Windows path for a folder named by a test environment variable, which
// ctest gives as a host path ("/work/build" becomes "Z:\\work\\build").
inline std::string DirFromEnv(const char* name) {
  char value[MAX_PATH * 2] = "";
  const DWORD got = GetEnvironmentVariableA(name, value, sizeof(value));
  if (got == 0 || got >= sizeof(value)) return std::string();
  std::string dir(value);
  if (dir[0] == '/') dir = "Z:" + dir;
  std::replace(dir.begin(), dir.end(), '/', '\\');
  return dir;
}
inline std::string ProgramPath(const char* fileName) {  // in QOV_PROGRAM_DIR
  return DirFromEnv("QOV_PROGRAM_DIR") + "\\" + fileName;
}
inline std::string HelperPath(const char* fileName) {  // in QOV_HELPER_DIR
  return DirFromEnv("QOV_HELPER_DIR") + "\\" + fileName;
}

// A process started for a test, killed if still running when the object goes.
class Process {
 public:
  Process() = default;
  ~Process() { Close(); }
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  // Starts in `currentDir` when given, else in this process's current folder.
  bool Start(const std::string& commandLine, const std::string& currentDir = std::string()) {
    Close();  // a process object may start again once its last run is over
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    return CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          currentDir.empty() ? nullptr : currentDir.c_str(), &startup,
                          &m_info) != FALSE;
  }
  bool WaitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr) {
    const bool ended = m_info.hProcess && WaitUntil([&] { return !Running(); }, timeoutMs);
    if (ended && exitCode) GetExitCodeProcess(m_info.hProcess, exitCode);
    return ended;
  }
  // Ends it from `window`'s system menu: true when it exits with 0 within `timeoutMs`.
  bool CloseFrom(HWND window, DWORD timeoutMs = 5000) {
    DWORD code = 1;
    ChooseFromSystemMenu(window, 0);  // the first item ends both programs
    return WaitForExit(timeoutMs, &code) && code == 0;
  }
  bool Running() const {
    return m_info.hProcess && WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
  }
  DWORD Id() const { return m_info.dwProcessId; }
  // Waits until it has done its start and waits for input.
  bool WaitForIdle(DWORD timeoutMs) {
    return m_info.hProcess && WaitForInputIdle(m_info.hProcess, timeoutMs) == 0;
  }
  void Kill() {
    if (!Running()) return;
    TerminateProcess(m_info.hProcess, 99);
    WaitForSingleObject(m_info.hProcess, 5000);
  }

 private:
  void Close() {
    Kill();
    if (m_info.hProcess) CloseHandle(m_info.hProcess);
    if (m_info.hThread) CloseHandle(m_info.hThread);
    m_info = {};
  }

  PROCESS_INFORMATION m_info = {};
};

// Starts qov_helper.exe of QOV_HELPER_DIR in `mode` with `arguments` and
// waits until it signals that its windows exist.
inline bool StartHelper(Process& process, const char* mode, const std::string& arguments) {
  static int counter = 0;
  char event[64];
  std::snprintf(event, sizeof(event), "QovHelperReady%lu_%d", GetCurrentProcessId(), ++counter);
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, event);
  const bool ok =
      process.Start("\"" + HelperPath("qov_helper.exe") + "\" " + mode + " " + event + arguments) &&
      WaitForSingleObject(ready, 10000) == WAIT_OBJECT_0;
  CloseHandle(ready);
  return ok;
}

// Windows of another program (qov_helper.exe host), one per layout
// "CLASS|TITLE|X,Y,W,H|FLAGS" (flags: m minimised, h hidden, c and a Ctrl and
// Alt held, o owned by the window before it, l late: it takes the moves other
// programs ask of it 2.5 s late, in order).
class WindowHost {
 public:
  // Makes the host stop pumping messages for `ms` milliseconds.
  void Hang(DWORD ms) { PostMessageA(m_windows.at(0), WM_APP + 1, ms, 0); }
  bool Start(const std::vector<std::string>& windows) {
    std::string layouts;
    for (const std::string& layout : windows) layouts += " \"" + layout + "\"";
    if (!StartHelper(m_process, "host", layouts)) return false;
    // Each window carries the number of the layout that made it.
    m_windows.assign(windows.size(), nullptr);
    for (HWND hwnd : TopLevelWindows(m_process.Id(), false)) {
      auto index = reinterpret_cast<INT_PTR>(GetPropA(hwnd, "QovIndex"));
      if (index >= 1 && static_cast<size_t>(index) <= windows.size()) m_windows[index - 1] = hwnd;
    }
    return std::count(m_windows.begin(), m_windows.end(), nullptr) == 0;
  }
  // The host's window with this title (the first, if several share it).
  HWND Find(const std::string& title) const {
    for (HWND hwnd : m_windows)
      if (WindowText(hwnd) == title) return hwnd;
    return nullptr;
  }
  // Every window the host made, in the order of the layouts.
  const std::vector<HWND>& Windows() const { return m_windows; }
  Process& Proc() { return m_process; }

 private:
  Process m_process;
  std::vector<HWND> m_windows;
};

// The stand-in shell (qov_helper.exe shell, QOV_HELPER_DIR): a "Progman" window
// titled "Program Manager" and its "SHELLDLL_DefView" child in the process's
// main thread, the desktop icon list view ("SysListView32") in a desktop
// thread of its own.  The process ends with the object.
class ShellStandIn {
 public:
  explicit ShellStandIn(DWORD listStyle = WS_CHILD | WS_VISIBLE | LVS_ICON) {
    if (!StartHelper(m_process, "shell", " " + std::to_string(listStyle))) return;
    for (HWND top : TopLevelWindows(m_process.Id(), false)) {
      HWND view = FindWindowExA(top, nullptr, "SHELLDLL_DefView", nullptr);
      if (view) m_list = GetTopWindow(view);
    }
    m_thread = GetWindowThreadProcessId(m_list, nullptr);
  }
  bool Started() const { return m_list != nullptr; }

  DWORD Style() const { return static_cast<DWORD>(GetWindowLongA(m_list, GWL_STYLE)); }
  DWORD View() const { return Style() & LVS_TYPEMASK; }
  // Sets the list view's style from its own thread, as the shell would.
  void SetStyle(DWORD style) const { Ask(shellstandin::kSetStyle, style); }
  // Answer of the list view to a message of tools/shell_standin.h; -1 when it
  // does not answer.
  LRESULT Ask(UINT message, LPARAM value = 0) const {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(m_list, message, 0, value, SMTO_NORMAL, 5000, &answer)) return -1;
    return static_cast<LRESULT>(answer);
  }
  // Posts `count` WM_NULL to the desktop thread and waits until that thread
  // has retrieved them, and so run its WH_GETMESSAGE hooks for each.
  bool PostAndWait(int count = 1, DWORD timeoutMs = 10000) const {
    const LRESULT marks = Ask(shellstandin::kQueryMarks);
    for (int i = 0; i < count; ++i)
      if (!PostThreadMessageA(m_thread, WM_NULL, 0, 0)) return false;
    if (!PostThreadMessageA(m_thread, shellstandin::kMark, 0, 0)) return false;
    return WaitUntil([&] { return Ask(shellstandin::kQueryMarks) > marks; }, timeoutMs);
  }

 private:
  Process m_process;
  HWND m_list = nullptr;
  DWORD m_thread = 0;
};

// While the object lives, the import slot of `module` for `function` of
// `dll` points at `to`, so that the module's calls of that function reach it.
class ImportStandIn {
 public:
  template <typename F>
  ImportStandIn(HMODULE module, const char* dll, const char* function, F* to)
      : m_original(reinterpret_cast<const void*>(GetProcAddress(GetModuleHandleA(dll), function))) {
    auto* base = reinterpret_cast<BYTE*>(module);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& iat = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IAT];
    auto** first = reinterpret_cast<const void**>(base + iat.VirtualAddress);
    auto** end = first + iat.Size / sizeof(void*);
    auto** slot = std::find(first, end, m_original);
    if (m_original && slot != end && Write(slot, reinterpret_cast<const void*>(to))) m_slot = slot;
  }
  ~ImportStandIn() {
    if (m_slot) Write(m_slot, m_original);
  }
  ImportStandIn(const ImportStandIn&) = delete;
  ImportStandIn& operator=(const ImportStandIn&) = delete;
  bool Active() const { return m_slot != nullptr; }
  const void* Original() const { return m_original; }

 private:
  static bool Write(const void** slot, const void* value) {
    DWORD protection;
    if (!VirtualProtect(slot, sizeof(*slot), PAGE_READWRITE, &protection)) return false;
    *slot = value;
    VirtualProtect(slot, sizeof(*slot), protection, &protection);
    return true;
  }

  const void* m_original;
  const void** m_slot = nullptr;
};

// The bytes of this process's heaps in use.
inline size_t HeapBytesInUse() {
  size_t total = 0;
  HANDLE heaps[64];
  const DWORD count = GetProcessHeaps(64, heaps);
  for (DWORD i = 0; i < count && i < 64; ++i) {
    PROCESS_HEAP_ENTRY entry = {};
    HeapLock(heaps[i]);
    while (HeapWalk(heaps[i], &entry))
      if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) total += entry.cbData;
    HeapUnlock(heaps[i]);
  }
  return total;
}

// The kernel handles open in a process, counted by probing every handle value
// in use (Wine answers GetProcessHandleCount with 0).
inline int OpenHandles(HANDLE process = GetCurrentProcess()) {
  const bool own = GetProcessId(process) == GetCurrentProcessId();
  int count = 0;
  for (ULONG_PTR value = 4; value < 0x10000; value += 4) {
    HANDLE handle = reinterpret_cast<HANDLE>(value), copy = nullptr;
    DWORD flags = 0;
    if (own) {
      count += GetHandleInformation(handle, &flags) ? 1 : 0;
    } else if (DuplicateHandle(process, handle, GetCurrentProcess(), &copy, 0, FALSE,
                               DUPLICATE_SAME_ACCESS)) {
      CloseHandle(copy);
      ++count;
    }
  }
  return count;
}

// Deletes HKCU\Software\QovSoft\<appName>; never the whole company key.
inline void DeleteAppKey(const std::string& appName) {
  if (!appName.empty()) SHDeleteKeyA(HKEY_CURRENT_USER, ("Software\\QovSoft\\" + appName).c_str());
}
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
// The number of values of a key; -1 when the key is missing.
inline int ValueCount(const std::string& keyPath) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return -1;
  DWORD values = 0;
  RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                   nullptr, nullptr, nullptr);
  RegCloseKey(key);
  return static_cast<int>(values);
}
inline bool KeyExists(const std::string& keyPath) { return ValueCount(keyPath) >= 0; }

// QovDesktop.exe copied into a folder of its own under a unique file name,
// so that it reads and writes a registry key of its own, with QOV32.dll
// beside it, and started for a test.  When the object goes, the copy is
// killed if still running, and its folder and its key go with it.
class RunningProgram {
 public:
  explicit RunningProgram(const char* tag) {
    static int counter = 0;
    char name[128];
    std::snprintf(name, sizeof(name), "Qov%s%lu_%d", tag, GetCurrentProcessId(), ++counter);
    m_appName = name;
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    m_dir = std::string(temp) + m_appName;
    CreateDirectoryA(m_dir.c_str(), nullptr);
    m_path = m_dir + "\\" + m_appName + ".exe";
    CopyFileA(ProgramPath("QovDesktop.exe").c_str(), m_path.c_str(), FALSE);
    // The loader binds the hook library beside the program.
    CopyFileA(ProgramPath("QOV32.dll").c_str(), (m_dir + "\\QOV32.dll").c_str(), FALSE);
    DeleteAppKey(m_appName);
  }
  ~RunningProgram() {
    m_process.Kill();
    // A program that has just ended keeps its files in use for a moment.
    for (const std::string& file : {m_path, m_dir + "\\QOV32.dll"}) {
      WaitUntil([&] { return DeleteFileA(file.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND; },
                3000);
    }
    RemoveDirectoryA(m_dir.c_str());
    DeleteAppKey(m_appName);
  }
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  // Starts the copy and waits for its main window, and until it has made
  // its bars and waits for input: the window's class exists from its first
  // message on.
  bool Start() {
    m_main = nullptr;
    // In its own folder, so that the loader finds only the QOV32.dll beside it.
    if (!m_process.Start("\"" + m_path + "\"", m_dir)) return false;
    WaitUntil(
        [&] {
          for (HWND hwnd : TopLevelWindows(m_process.Id()))
            if (ClassOf(hwnd) == "QovDesktopView") m_main = hwnd;
          return m_main != nullptr || !m_process.Running();
        },
        10000);
    return m_main != nullptr && m_process.WaitForIdle(10000);
  }
  HWND Main() const { return m_main; }
  // The copy's path, which a start with a command line names.
  const std::string& Path() const { return m_path; }
  // Starts the copy with `arguments` as a starter does, and waits until it
  // ends: its exit code, or -1 when it did not end in `timeoutMs`.
  long Command(const std::string& arguments, DWORD timeoutMs = 3000) {
    Process starter;
    DWORD code = 0;
    if (!starter.Start("\"" + m_path + "\" " + arguments, m_dir) ||
        !starter.WaitForExit(timeoutMs, &code))
      return -1;
    return static_cast<long>(code);
  }
  // The edge bars: the program's untitled visible windows, wide or tall.
  HWND HorizontalBar() const { return Bar(true); }
  HWND VerticalBar() const { return Bar(false); }
  // Settings key of the copy: HKCU\<Key()>\<section>.
  std::string Key() const { return "Software\\QovSoft\\" + m_appName; }
  Process& Proc() { return m_process; }

 private:
  HWND Bar(bool horizontal) const {
    for (HWND hwnd : TopLevelWindows(m_process.Id())) {
      const RECT r = WindowRect(hwnd);
      if (WindowText(hwnd).empty() && (r.right - r.left > r.bottom - r.top) == horizontal)
        return hwnd;
    }
    return nullptr;
  }

  std::string m_dir, m_path, m_appName;
  Process m_process;
  HWND m_main = nullptr;
};

}  // namespace qovtest
