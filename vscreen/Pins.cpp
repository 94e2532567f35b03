#include "vscreen/Pins.h"

#include <algorithm>
#include <utility>

#include "core/viewkeys.h"
#include "fw/sysfunc.h"

namespace pins {

namespace {

std::vector<HWND> g_windows;
std::vector<std::string> g_programs;
// Whether each process seen since the last tidying is a pinned program.
std::vector<std::pair<DWORD, bool>> g_processes;

// The path of a process's program: QueryFullProcessImageNameA where it exists
// (Vista and later, which also answers for programs with higher rights),
// else GetProcessImageFileNameA of psapi (XP); empty when neither answers.
std::string ImagePath(DWORD process) {
  using Full = BOOL WINAPI(HANDLE, DWORD, LPSTR, PDWORD);
  using ImageFile = DWORD WINAPI(HANDLE, LPSTR, DWORD);
  static Full* const full = fw::SystemFunction<Full>("kernel32.dll", "QueryFullProcessImageNameA");
  static ImageFile* const imageFile =
      full ? nullptr : fw::SystemFunction<ImageFile>("psapi.dll", "GetProcessImageFileNameA");
  const DWORD limited = 0x1000;  // PROCESS_QUERY_LIMITED_INFORMATION, Vista and later
  HANDLE handle = OpenProcess(full ? limited : PROCESS_QUERY_INFORMATION, FALSE, process);
  if (!handle) return std::string();
  char path[MAX_PATH * 2] = "";
  DWORD size = sizeof(path);
  const bool found = full ? full(handle, 0, path, &size) != FALSE
                          : imageFile && imageFile(handle, path, sizeof(path)) != 0;
  CloseHandle(handle);
  return found ? std::string(path) : std::string();
}

bool IsPinnedProgram(HWND hwnd) {
  if (g_programs.empty()) return false;
  DWORD process = 0;
  if (!GetWindowThreadProcessId(hwnd, &process)) return false;
  for (const auto& seen : g_processes)
    if (seen.first == process) return seen.second;
  g_processes.emplace_back(process, core::IsProgramIn(ImagePath(process), g_programs));
  return g_processes.back().second;
}

}  // namespace

bool Toggle(HWND hwnd) {
  if (!hwnd || !IsWindow(hwnd)) return false;
  auto it = std::find(g_windows.begin(), g_windows.end(), hwnd);
  if (it == g_windows.end())
    g_windows.push_back(hwnd);
  else
    g_windows.erase(it);
  return true;
}

bool IsPinned(HWND hwnd) {
  return std::find(g_windows.begin(), g_windows.end(), hwnd) != g_windows.end() ||
         IsPinnedProgram(hwnd);
}

void SetPrograms(std::vector<std::string> names) {
  g_programs = std::move(names);
  g_processes.clear();
}

void Tidy() {
  g_windows.erase(std::remove_if(g_windows.begin(), g_windows.end(),
                                 [](HWND hwnd) { return !IsWindow(hwnd); }),
                  g_windows.end());
  g_processes.clear();
}

}  // namespace pins
