#include "support/testsupport.h"

#include <algorithm>
#include <cstdio>

#include "tools/shell_standin.h"

namespace qovtest {

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  DWORD start = GetTickCount();
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

void Pump(DWORD ms) {
  WaitUntil([] { return false; }, ms);
}

namespace {
ModalDriver* g_pDriver = nullptr;
}  // namespace

ModalDriver::ModalDriver(std::function<HWND()> find, std::function<void(HWND)> action,
                         DWORD timeoutMs)
    : m_find(std::move(find)),
      m_action(std::move(action)),
      m_start(GetTickCount()),
      m_timeout(timeoutMs) {
  g_pDriver = this;
  m_timer = SetTimer(nullptr, 0, 20, Tick);
}

ModalDriver::~ModalDriver() {
  if (m_timer) KillTimer(nullptr, m_timer);
  if (g_pDriver == this) g_pDriver = nullptr;
}

void CALLBACK ModalDriver::Tick(HWND, UINT, UINT_PTR, DWORD) {
  ModalDriver* driver = g_pDriver;
  if (!driver || !driver->m_timer) return;
  HWND window = driver->m_find();
  const bool expired = GetTickCount() - driver->m_start >= driver->m_timeout;
  if (!window && !expired) return;
  // Stopped first: the action may run a message loop of its own.
  KillTimer(nullptr, driver->m_timer);
  driver->m_timer = 0;
  if (!window) return;
  ++driver->m_runs;
  driver->m_action(window);
}

namespace {

struct OwnedSearch {
  HWND owner;
  const char* title;
  HWND found;
};

BOOL CALLBACK FindOwned(HWND hwnd, LPARAM lp) {
  auto* search = reinterpret_cast<OwnedSearch*>(lp);
  char className[256] = "";
  GetClassNameA(hwnd, className, sizeof(className));
  if (GetWindow(hwnd, GW_OWNER) != search->owner || !IsWindowVisible(hwnd) ||
      lstrcmpA(className, "#32770") != 0 ||
      (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) ||
      (search->title && WindowText(hwnd) != search->title))
    return TRUE;
  search->found = hwnd;
  return FALSE;
}

}  // namespace

HWND FindOwnedDialog(HWND owner, const char* title) {
  OwnedSearch search{owner, title, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), FindOwned, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string DirFromEnv(const char* name) {
  char value[MAX_PATH * 2] = "";
  DWORD got = GetEnvironmentVariableA(name, value, sizeof(value));
  if (got == 0 || got >= sizeof(value)) return std::string();
  std::string dir(value);
  if (!dir.empty() && dir[0] == '/') dir = "Z:" + dir;
  for (char& c : dir)
    if (c == '/') c = '\\';
  return dir;
}

std::string ProgramPath(const char* fileName) {
  return DirFromEnv("QOV_PROGRAM_DIR") + "\\" + fileName;
}

std::string HelperPath(const char* fileName) {
  return DirFromEnv("QOV_HELPER_DIR") + "\\" + fileName;
}

std::string WindowText(HWND hwnd) {
  char text[512] = "";
  GetWindowTextA(hwnd, text, sizeof(text));
  return text;
}

bool Activate(HWND hwnd) {
  return WaitUntil(
      [&] {
        SetForegroundWindow(hwnd);
        return GetForegroundWindow() == hwnd;
      },
      3000);
}

namespace {

struct WindowSearch {
  DWORD pid;
  bool visibleOnly;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM lp) {
  auto* search = reinterpret_cast<WindowSearch*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == search->pid && (!search->visibleOnly || IsWindowVisible(hwnd)))
    search->found.push_back(hwnd);
  return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows(DWORD processId, bool visibleOnly) {
  WindowSearch search{processId, visibleOnly, {}};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

Process::~Process() {
  Kill();
  if (m_info.hProcess) CloseHandle(m_info.hProcess);
  if (m_info.hThread) CloseHandle(m_info.hThread);
}

bool Process::Start(const std::string& commandLine, const std::string& currentDir) {
  Kill();  // a process object may start again once its last run is over
  if (m_info.hProcess) CloseHandle(m_info.hProcess);
  if (m_info.hThread) CloseHandle(m_info.hThread);
  m_info = {};
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  return CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        currentDir.empty() ? nullptr : currentDir.c_str(), &startup,
                        &m_info) != FALSE;
}

bool Process::WaitForExit(DWORD timeoutMs, DWORD* exitCode) {
  if (!m_info.hProcess) return false;
  bool ended = WaitUntil([&] { return WaitForSingleObject(m_info.hProcess, 0) == WAIT_OBJECT_0; },
                         timeoutMs);
  if (ended && exitCode) GetExitCodeProcess(m_info.hProcess, exitCode);
  return ended;
}

bool Process::Running() const {
  return m_info.hProcess && WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
}

void Process::Kill() {
  if (Running()) {
    TerminateProcess(m_info.hProcess, 99);
    WaitForSingleObject(m_info.hProcess, 5000);
  }
}

namespace {

// Starts qov_helper.exe of QOV_HELPER_DIR in `mode` with `arguments` and
// waits until it signals that its windows exist.
bool StartHelper(Process& process, const char* mode, const std::string& arguments) {
  static int counter = 0;
  char event[64];
  std::snprintf(event, sizeof(event), "QovHelperReady%lu_%d", GetCurrentProcessId(), ++counter);
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, event);
  bool ok =
      process.Start("\"" + HelperPath("qov_helper.exe") + "\" " + mode + " " + event + arguments) &&
      WaitForSingleObject(ready, 10000) == WAIT_OBJECT_0;
  CloseHandle(ready);
  return ok;
}

}  // namespace

bool WindowHost::Start(const std::vector<std::string>& windows) {
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

HWND WindowHost::Find(const std::string& title) const {
  for (HWND hwnd : m_windows)
    if (WindowText(hwnd) == title) return hwnd;
  return nullptr;
}

namespace {

bool WriteSlot(const void** slot, const void* value) {
  DWORD protection;
  if (!VirtualProtect(slot, sizeof(*slot), PAGE_READWRITE, &protection)) return false;
  *slot = value;
  VirtualProtect(slot, sizeof(*slot), protection, &protection);
  return true;
}

}  // namespace

ImportStandIn::ImportStandIn(HMODULE module, const char* dll, const char* function,
                             const void* to)
    : m_original(reinterpret_cast<const void*>(GetProcAddress(GetModuleHandleA(dll), function))) {
  auto* base = reinterpret_cast<BYTE*>(module);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
      base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const IMAGE_DATA_DIRECTORY& iat = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IAT];
  auto** first = reinterpret_cast<const void**>(base + iat.VirtualAddress);
  auto** end = first + iat.Size / sizeof(void*);
  auto** slot = std::find(first, end, m_original);
  if (m_original && slot != end && WriteSlot(slot, to)) m_slot = slot;
}

ImportStandIn::~ImportStandIn() {
  if (m_slot) WriteSlot(m_slot, m_original);
}

size_t HeapBytesInUse() {
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

RECT WindowRect(HWND hwnd) {
  RECT rect = {};
  GetWindowRect(hwnd, &rect);
  return rect;
}

ShellStandIn::ShellStandIn(DWORD listStyle) {
  if (!StartHelper(m_process, "shell", " " + std::to_string(listStyle))) return;
  for (HWND top : TopLevelWindows(m_process.Id(), false)) {
    HWND view = FindWindowExA(top, nullptr, "SHELLDLL_DefView", nullptr);
    if (view) m_list = GetTopWindow(view);
  }
  m_thread = GetWindowThreadProcessId(m_list, nullptr);
}

void ShellStandIn::SetStyle(DWORD style) const { Ask(shellstandin::kSetStyle, style); }

LRESULT ShellStandIn::Ask(UINT message, LPARAM value) const {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutA(m_list, message, 0, value, SMTO_NORMAL, 5000, &answer)) return -1;
  return static_cast<LRESULT>(answer);
}

bool ShellStandIn::PostAndWait(int count, DWORD timeoutMs) {
  const LRESULT marks = Ask(shellstandin::kQueryMarks);
  for (int i = 0; i < count; ++i)
    if (!PostThreadMessageA(m_thread, WM_NULL, 0, 0)) return false;
  if (!PostThreadMessageA(m_thread, shellstandin::kMark, 0, 0)) return false;
  return WaitUntil([&] { return Ask(shellstandin::kQueryMarks) > marks; }, timeoutMs);
}

RunningProgram::RunningProgram(const char* tag) {
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

RunningProgram::~RunningProgram() {
  m_process.Kill();
  // A program that has just ended keeps its files in use for a moment.
  for (const std::string& file : {m_path, m_dir + "\\QOV32.dll"}) {
    WaitUntil([&] { return DeleteFileA(file.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND; },
              3000);
  }
  RemoveDirectoryA(m_dir.c_str());
  DeleteAppKey(m_appName);
}

bool RunningProgram::Start() {
  m_main = nullptr;
  // In its own folder, so that the loader finds only the QOV32.dll beside it.
  if (!m_process.Start("\"" + m_path + "\"", m_dir)) return false;
  const std::string caption = "Qovデスクトップ";
  WaitUntil(
      [&] {
        for (HWND hwnd : TopLevelWindows(m_process.Id()))
          if (WindowText(hwnd) == caption) m_main = hwnd;
        return m_main != nullptr || !m_process.Running();
      },
      10000);
  return m_main != nullptr;
}

HWND RunningProgram::Bar(bool horizontal) const {
  for (HWND hwnd : TopLevelWindows(m_process.Id())) {
    if (!WindowText(hwnd).empty()) continue;
    RECT r = WindowRect(hwnd);
    if ((r.right - r.left > r.bottom - r.top) == horizontal) return hwnd;
  }
  return nullptr;
}

void DeleteAppKey(const std::string& appName) {
  if (!appName.empty()) SHDeleteKeyA(HKEY_CURRENT_USER, ("Software\\QovSoft\\" + appName).c_str());
}

int ValueCount(const std::string& keyPath) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return -1;
  DWORD values = 0;
  RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                   nullptr, nullptr, nullptr);
  RegCloseKey(key);
  return static_cast<int>(values);
}

int OpenHandles(HANDLE process) {
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

}  // namespace qovtest
