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

// A Windows path for a folder named by a test environment variable, which
// ctest gives as a host path ("/work/build" becomes "Z:\\work\\build").
std::string DirFromEnv(const char* name);
std::string ProgramPath(const char* fileName);  // in QOV_PROGRAM_DIR
std::string HelperPath(const char* fileName);   // in QOV_HELPER_DIR

// The text of a window as ANSI (code page 932) bytes.
std::string WindowText(HWND hwnd);
// Visible top-level windows of a process, optionally with a given caption.
std::vector<HWND> TopLevelWindows(DWORD processId, bool visibleOnly = true);

// A process started for a test, killed if still running when the object goes.
class Process {
 public:
  Process() = default;
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  bool Start(const std::string& commandLine);
  bool WaitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr);
  bool Running() const;
  DWORD Id() const { return m_info.dwProcessId; }
  HANDLE Handle() const { return m_info.hProcess; }
  void Kill();

 private:
  PROCESS_INFORMATION m_info = {};
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

}  // namespace qovtest
