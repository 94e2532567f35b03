// Cost per message of QOV32's desktop hook against an empty WH_GETMESSAGE
// hook (and no hook), taken in turns in one run.
//
//   desktop_hook_bench.exe QOV32.DLL [MESSAGES] [ROUNDS]
//
// A desktop thread of this process owns a stand-in of the shell's desktop
// windows ("Progman", "SHELLDLL_DefView", "SysListView32") and retrieves
// MESSAGES posted WM_NULL messages with each hook in place.  "Desktop icon"
// asks for the view the list view already shows: the steady state, in which
// the hook looks whether the setting changed and at the window, without
// writing.  The
// value is put back as it was afterwards.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "timing.h"
#include "tools/shell_standin.h"

namespace {

const char kSettingKey[] = "Software\\QovSoft\\QovDesktop\\Setting";
const char kDesktopIcon[] = "Desktop icon";
const UINT kRun = WM_APP + 1;  // thread message: retrieve lParam messages

HANDLE g_ready, g_done;
double g_seconds;

DWORD WINAPI DesktopThread(LPVOID) {
  HWND view = shellstandin::CreateDesktopWindows(640, 480);
  shellstandin::CreateIconView(view, WS_CHILD | WS_VISIBLE | LVS_ICON);
  SetEvent(g_ready);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (msg.hwnd || msg.message != kRun) continue;
    const DWORD self = GetCurrentThreadId();
    const LPARAM count = msg.lParam;
    const double start = bench::NowMs();
    for (LPARAM i = 0; i < count; ++i) {
      PostThreadMessageA(self, WM_NULL, 0, 0);
      GetMessageA(&msg, nullptr, 0, 0);
    }
    g_seconds = (bench::NowMs() - start) / 1000;
    SetEvent(g_done);
  }
  return 0;
}

LRESULT CALLBACK EmptyHook(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Microseconds per message on the desktop thread.
double Measure(DWORD thread, int messages) {
  ResetEvent(g_done);
  PostThreadMessageA(thread, kRun, 0, messages);
  WaitForSingleObject(g_done, INFINITE);
  return g_seconds * 1e6 / messages;
}

// The value as it was, to be put back.
struct SavedValue {
  bool present = false;
  DWORD type = 0;
  std::vector<BYTE> data;
};

SavedValue Save(HKEY key) {
  SavedValue saved;
  DWORD size = 0;
  if (RegQueryValueExA(key, kDesktopIcon, nullptr, &saved.type, nullptr, &size) == ERROR_SUCCESS) {
    saved.data.resize(size);
    saved.present = RegQueryValueExA(key, kDesktopIcon, nullptr, &saved.type, saved.data.data(),
                                     &size) == ERROR_SUCCESS;
    saved.data.resize(size);
  }
  return saved;
}

void Restore(HKEY key, const SavedValue& saved) {
  if (saved.present) {
    RegSetValueExA(key, kDesktopIcon, 0, saved.type, saved.data.data(),
                   static_cast<DWORD>(saved.data.size()));
  } else {
    RegDeleteValueA(key, kDesktopIcon);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: desktop_hook_bench QOV32.DLL [MESSAGES] [ROUNDS]\n");
    return 2;
  }
  const int messages = argc > 2 ? std::max(100, std::atoi(argv[2])) : 20000;
  const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 7;
  HMODULE dll = LoadLibraryA(argv[1]);
  auto setHook = reinterpret_cast<BOOL(WINAPI*)(DWORD)>(
      reinterpret_cast<void*>(GetProcAddress(dll, MAKEINTRESOURCEA(9))));
  auto unsetHook = reinterpret_cast<BOOL(WINAPI*)()>(
      reinterpret_cast<void*>(GetProcAddress(dll, MAKEINTRESOURCEA(10))));
  if (!setHook || !unsetHook) {
    std::fprintf(stderr, "cannot load %s\n", argv[1]);
    return 1;
  }
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                      &key, nullptr) != ERROR_SUCCESS) {
    std::fprintf(stderr, "cannot open HKCU\\%s\n", kSettingKey);
    return 1;
  }
  const SavedValue saved = Save(key);
  RegSetValueExA(key, kDesktopIcon, 0, REG_SZ, reinterpret_cast<const BYTE*>("Large"), 6);

  g_ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  g_done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  DWORD thread = 0;
  CloseHandle(CreateThread(nullptr, 0, DesktopThread, nullptr, 0, &thread));
  WaitForSingleObject(g_ready, INFINITE);

  std::vector<double> none, empty, desktop;
  Measure(thread, messages / 10);  // warm up
  for (int round = 0; round < rounds; ++round) {
    none.push_back(Measure(thread, messages));
    HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, EmptyHook, nullptr, thread);
    empty.push_back(Measure(thread, messages));
    UnhookWindowsHookEx(hook);
    setHook(thread);
    desktop.push_back(Measure(thread, messages));
    unsetHook();
  }
  Restore(key, saved);
  RegCloseKey(key);

  const double n = bench::Median(none), e = bench::Median(empty), d = bench::Median(desktop);
  std::printf("per message on the hooked thread (post + retrieve), median of %d rounds of %d:\n",
              rounds, messages);
  std::printf("  no hook                %8.2f us\n", n);
  std::printf("  empty WH_GETMESSAGE    %8.2f us\n", e);
  std::printf("  QOV32 desktop hook     %8.2f us\n", d);
  std::printf("  hook's own cost: empty %.2f us, desktop %.2f us (%.1f times the empty hook's)\n",
              e - n, d - n, e > n ? (d - n) / (e - n) : 0.0);
  return 0;
}
