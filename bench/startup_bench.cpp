// Start-up time to a ready main window, QovDesktop against a bare dialog
// program, taken in turns in one run so that both see the same machine.
//
//   startup_bench.exe QOVDESKTOP.EXE BARE_DIALOG.EXE [ROUNDS]
//
// A window is ready when the process has a visible top-level window with its
// caption: the dialog manager shows a dialog only after WM_INITDIALOG.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "timing.h"

namespace {

struct Search {
  DWORD pid;
  const char* caption;
  HWND found;
};

BOOL CALLBACK Match(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  char text[64] = "";
  if (pid == s->pid && IsWindowVisible(hwnd) && GetWindowTextA(hwnd, text, sizeof(text)) &&
      std::strcmp(text, s->caption) == 0) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

// Milliseconds from CreateProcess to the ready window; negative on failure.
double TimeStart(const std::string& path, const char* caption) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info;
  std::string line = "\"" + path + "\"";
  const double start = bench::NowMs();
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info))
    return -1;
  Search search = {info.dwProcessId, caption, nullptr};
  double ms = -1;
  for (int spin = 0; spin < 20000; ++spin) {
    EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
    if (search.found) {
      ms = bench::NowMs() - start;
      break;
    }
    if (WaitForSingleObject(info.hProcess, 1) == WAIT_OBJECT_0) break;
  }
  if (search.found) {
    PostMessageA(search.found, WM_COMMAND, IDCANCEL, 0);
  } else {
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    std::fprintf(stderr, "%s: no window (process %s, exit code %lu)\n", path.c_str(),
                 WaitForSingleObject(info.hProcess, 0) == WAIT_OBJECT_0 ? "ended" : "running",
                 code);
  }
  if (WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 1);
  CloseHandle(info.hProcess);
  CloseHandle(info.hThread);
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: startup_bench QOVDESKTOP.EXE BARE_DIALOG.EXE [ROUNDS]\n");
    return 2;
  }
  int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 15;
  std::vector<double> qov, bare;
  TimeStart(argv[2], "BareDialog");  // warm the file cache and the server
  for (int i = 0; i < rounds; ++i) {
    double a = TimeStart(argv[1], "Qov\x83\x66\x83\x58\x83\x4e\x83\x67\x83\x62\x83\x76");
    double b = TimeStart(argv[2], "BareDialog");
    if (a < 0 || b < 0) {
      std::fprintf(stderr, "round %d: a program did not show its window\n", i);
      return 1;
    }
    qov.push_back(a);
    bare.push_back(b);
  }
  double mq = bench::Median(qov), mb = bench::Median(bare);
  std::printf("start-up to a ready main window, median of %d rounds taken in turns:\n", rounds);
  std::printf("  QovDesktop.exe   %8.1f ms\n", mq);
  std::printf("  bare dialog      %8.1f ms\n", mb);
  std::printf("  ratio            %8.2f\n", mb > 0 ? mq / mb : 0.0);
  return 0;
}
