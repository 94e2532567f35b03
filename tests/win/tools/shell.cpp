// A stand-in for the shell's desktop windows, which Wine does not have.
//
//   qov_shell.exe [--ready EVENT] [--style HEX] [--visible]
//
// The main thread creates a top-level window of class "Progman" titled
// "Program Manager" (hidden unless --visible) and its "SHELLDLL_DefView"
// child; a second thread, the desktop thread, creates the "SysListView32"
// grandchild (with the style HEX, default WS_CHILD | WS_VISIBLE | LVS_ICON)
// and runs its message loop, so that a hook on the wrong thread shows.  The
// named event is signalled when all three exist.  See shell_standin.h for
// what the list view answers.  The program runs until it is ended.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "tools/shell_standin.h"

using namespace shellstandin;

namespace {

HWND g_defView;
DWORD g_listStyle = WS_CHILD | WS_VISIBLE | LVS_ICON;
HANDLE g_listReady;

WNDPROC g_listViewProc;
LONG g_chainedMessages;
LONG g_marks;
HHOOK g_ownHook;

LRESULT CALLBACK ListViewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kQueryChainedMessages:
      return g_chainedMessages;
    case kQueryMarks:
      return g_marks;
    case kSetStyle:
      SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(lParam));
      return 1;
  }
  return CallWindowProcA(g_listViewProc, hwnd, message, wParam, lParam);
}

LRESULT CALLBACK OwnGetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code >= 0) ++g_chainedMessages;
  return CallNextHookEx(g_ownHook, code, wParam, lParam);
}

DWORD WINAPI DesktopThread(LPVOID) {
  g_ownHook = SetWindowsHookExA(WH_GETMESSAGE, OwnGetMessageHook, nullptr, GetCurrentThreadId());
  HWND list = CreateIconView(g_defView, g_listStyle);
  if (list) {
    g_listViewProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListViewProc)));
  }
  SetEvent(g_listReady);
  if (!list) return 1;
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (msg.hwnd == nullptr && msg.message == kMark) {
      ++g_marks;
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const char* readyEvent = nullptr;
  bool visible = false;
  for (int i = 1; i < __argc; ++i) {
    if (std::strcmp(__argv[i], "--ready") == 0 && i + 1 < __argc) {
      readyEvent = __argv[++i];
    } else if (std::strcmp(__argv[i], "--style") == 0 && i + 1 < __argc) {
      g_listStyle = std::strtoul(__argv[++i], nullptr, 16);
    } else if (std::strcmp(__argv[i], "--visible") == 0) {
      visible = true;
    }
  }

  HWND progman = nullptr;
  const DWORD style = WS_POPUP | WS_CLIPCHILDREN | (visible ? WS_VISIBLE : 0);
  g_defView = CreateDesktopWindows(instance, style, GetSystemMetrics(SM_CXSCREEN),
                                   GetSystemMetrics(SM_CYSCREEN), &progman);
  if (!g_defView) return 2;

  // The list view's creation sends to its parent: keep this thread's queue
  // served while the desktop thread creates it.
  g_listReady = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE thread = CreateThread(nullptr, 0, DesktopThread, nullptr, 0, nullptr);
  if (!thread) return 4;
  while (MsgWaitForMultipleObjects(1, &g_listReady, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  if (readyEvent) {
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, readyEvent);
    if (ready) {
      SetEvent(ready);
      CloseHandle(ready);
    }
  }
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}
