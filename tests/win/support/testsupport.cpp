#include "support/testsupport.h"

#include <shlwapi.h>

#include <cstdio>

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

bool Process::Start(const std::string& commandLine) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  return CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &m_info) != FALSE;
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

ProgramCopy::ProgramCopy(const char* tag) {
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

ProgramCopy::~ProgramCopy() {
  // The program may still be ending; try for a while before giving up.
  WaitUntil([&] { return DeleteFileA(m_path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND; },
            3000);
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((m_dir + "\\*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        DeleteFileA((m_dir + "\\" + found.cFileName).c_str());
    } while (FindNextFileA(find, &found));
    FindClose(find);
  }
  RemoveDirectoryA(m_dir.c_str());
  DeleteAppKey(m_appName);
}

AppKeyGuard::AppKeyGuard(std::string appName) : m_appName(std::move(appName)) {
  DeleteAppKey(m_appName);
}

AppKeyGuard::~AppKeyGuard() { DeleteAppKey(m_appName); }

void DeleteAppKey(const std::string& appName) {
  if (appName.empty()) return;  // never the whole company key
  SHDeleteKeyA(HKEY_CURRENT_USER, ("Software\\QovSoft\\" + appName).c_str());
}

bool KeyExists(const std::string& path) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

bool ValueExists(const std::string& keyPath, const char* value) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  bool exists = RegQueryValueExA(key, value, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
  RegCloseKey(key);
  return exists;
}

void SetRaw(const std::string& keyPath, const char* value, DWORD type, const void* data,
            DWORD size) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExA(key, value, 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
}

void SetDword(const std::string& keyPath, const char* value, DWORD data) {
  SetRaw(keyPath, value, REG_DWORD, &data, sizeof(data));
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

}  // namespace qovtest
