// Cost per call of QOV32's keyboard command hook (GetMsgProc) and mouse
// position hook (MouseProc) against empty hooks of the same kinds (and no
// hook), taken in turns in one run.
//
//   keymouse_hook_bench.exe QOV32.DLL [MESSAGES] [ROUNDS]
//
// This thread owns a window over the screen and retrieves MESSAGES posted
// messages with each WH_GETMESSAGE hook on it: WM_NULL (the common path) and
// WM_KEYDOWN of an unbound key (which looks whether the settings changed),
// and MESSAGES mouse moves made with SendInput with each WH_MOUSE hook.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "timing.h"

namespace {

LRESULT CALLBACK EmptyHook(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Microseconds per posted message retrieved by this thread.
double PostedMessages(HWND window, UINT message, WPARAM wParam, int count) {
  const double start = bench::NowMs();
  MSG msg;
  for (int i = 0; i < count; ++i) {
    PostMessageA(window, message, wParam, 0);
    GetMessageA(&msg, nullptr, 0, 0);
  }
  return (bench::NowMs() - start) * 1000 / count;
}

// Microseconds per mouse move, from SendInput until this thread retrieves it;
// -1 when the moves do not arrive.
double MouseMoves(int count) {
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  const double start = bench::NowMs();
  MSG msg;
  for (int i = 0; i < count; ++i) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (200 + i % 2) * 65535 / (width - 1);
    input.mi.dy = 200 * 65535 / (height - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(input));
    // A pointer that another program holds never moves here: give up.
    const DWORD sent = GetTickCount();
    for (;;) {
      if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_MOUSEMOVE) break;
        continue;
      }
      if (GetTickCount() - sent > 1000) return -1;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    }
  }
  return (bench::NowMs() - start) * 1000 / count;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: keymouse_hook_bench QOV32.DLL [MESSAGES] [ROUNDS]\n");
    return 2;
  }
  const int messages = argc > 2 ? std::max(100, std::atoi(argv[2])) : 20000;
  const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 7;
  HMODULE dll = LoadLibraryA(argv[1]);
  auto getMsgProc = reinterpret_cast<HOOKPROC>(
      reinterpret_cast<void*>(GetProcAddress(dll, MAKEINTRESOURCEA(2))));
  auto mouseProc = reinterpret_cast<HOOKPROC>(
      reinterpret_cast<void*>(GetProcAddress(dll, MAKEINTRESOURCEA(3))));
  if (!getMsgProc || !mouseProc) {
    std::fprintf(stderr, "cannot load %s\n", argv[1]);
    return 1;
  }
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "QovBenchTarget";
  RegisterClassA(&wc);
  HWND window = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "bench", WS_POPUP | WS_VISIBLE, 0,
                                0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                nullptr, nullptr, wc.hInstance, nullptr);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);

  const DWORD thread = GetCurrentThreadId();
  enum { kNone, kEmpty, kQov, kKinds };
  std::vector<double> nonKey[kKinds], keyDown[kKinds], mouse[kKinds];
  PostedMessages(window, WM_NULL, 0, messages / 10);  // warm up
  for (int round = 0; round < rounds; ++round) {
    for (int kind = kNone; kind < kKinds; ++kind) {
      HHOOK message = kind == kNone ? nullptr
                      : kind == kEmpty
                          ? SetWindowsHookExA(WH_GETMESSAGE, EmptyHook, nullptr, thread)
                          : SetWindowsHookExA(WH_GETMESSAGE, getMsgProc, dll, thread);
      nonKey[kind].push_back(PostedMessages(window, WM_NULL, 0, messages));
      keyDown[kind].push_back(PostedMessages(window, WM_KEYDOWN, 'Q', messages / 10));
      if (message) UnhookWindowsHookEx(message);
      HHOOK mouseHook = kind == kNone ? nullptr
                        : kind == kEmpty ? SetWindowsHookExA(WH_MOUSE, EmptyHook, nullptr, thread)
                                         : SetWindowsHookExA(WH_MOUSE, mouseProc, dll, thread);
      mouse[kind].push_back(MouseMoves(messages / 10));
      if (mouseHook) UnhookWindowsHookEx(mouseHook);
    }
  }
  DestroyWindow(window);

  std::printf("per call on the hooked thread, median of %d rounds (%d messages, %d keys/moves):\n",
              rounds, messages, messages / 10);
  const struct {
    const char* what;
    const char* qov;
    std::vector<double>* v;
  } rows[] = {{"non-key message (post + retrieve)", "GetMsgProc", nonKey},
              {"WM_KEYDOWN, unbound key (post + retrieve)", "GetMsgProc", keyDown},
              {"mouse move (SendInput + retrieve)", "MouseProc", mouse}};
  for (const auto& row : rows) {
    const double n = bench::Median(row.v[kNone]), e = bench::Median(row.v[kEmpty]),
                 q = bench::Median(row.v[kQov]);
    std::printf("  %s\n", row.what);
    std::printf("    no hook %8.2f us   empty hook %8.2f us   %-10s %8.2f us\n", n, e, row.qov, q);
    std::printf("    hook's own cost: empty %.2f us, %s %.2f us\n", e - n, row.qov, q - n);
  }
  return 0;
}
