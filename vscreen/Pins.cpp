#include "vscreen/Pins.h"

#include <algorithm>
#include <utility>

#include "core/viewkeys.h"
#include "fw/sysfunc.h"

namespace pins {

namespace {

std::vector<HWND> g_windows;
std::vector<std::u16string> g_programs;
// Whether each process seen since the last tidying is a pinned program.
std::vector<std::pair<DWORD, bool>> g_processes;

// How far an owner chain is followed: owners do not loop, but a window
// handle reused while the chain is walked could make them seem to.
constexpr int kOwnerChainLimit = 32;

// The path of a process's program, in UTF-16 so that every character of
// its name survives: QueryFullProcessImageNameW where it exists (Vista and
// later, which also answers for programs with higher rights), else
// GetProcessImageFileNameW of psapi (XP); empty when neither answers.
std::u16string ImagePath(DWORD process) {
  using Full = BOOL WINAPI(HANDLE, DWORD, LPWSTR, PDWORD);
  using ImageFile = DWORD WINAPI(HANDLE, LPWSTR, DWORD);
  Full* const full = fw::SystemFunction<Full>("kernel32.dll", "QueryFullProcessImageNameW");
  ImageFile* const imageFile =
      full ? nullptr : fw::SystemFunction<ImageFile>("psapi.dll", "GetProcessImageFileNameW");
  const DWORD limited = 0x1000;  // PROCESS_QUERY_LIMITED_INFORMATION, Vista and later
  HANDLE handle = OpenProcess(full ? limited : PROCESS_QUERY_INFORMATION, FALSE, process);
  if (!handle) return std::u16string();
  wchar_t path[MAX_PATH * 2] = L"";
  DWORD size = MAX_PATH * 2;
  const bool found = full ? full(handle, 0, path, &size) != FALSE
                          : imageFile && imageFile(handle, path, MAX_PATH * 2) != 0;
  CloseHandle(handle);
  path[MAX_PATH * 2 - 1] = L'\0';
  return found ? std::u16string(reinterpret_cast<const char16_t*>(path)) : std::u16string();
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

bool IsPinnedItself(HWND hwnd) {
  return std::find(g_windows.begin(), g_windows.end(), hwnd) != g_windows.end() ||
         IsPinnedProgram(hwnd);
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
  int depth = 0;
  for (HWND w = hwnd; w && depth < kOwnerChainLimit; w = GetWindow(w, GW_OWNER), ++depth)
    if (IsPinnedItself(w)) return true;
  return false;
}

void SetPrograms(std::vector<std::u16string> names) {
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
