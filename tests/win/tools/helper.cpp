// The tests' helper program, qov_helper.exe:
//
//   qov_helper.exe                        holds the run's Wine desktop
//   qov_helper.exe host EVENT WINDOW...   windows of "another program"
//   qov_helper.exe shell EVENT STYLE      the shell's desktop windows
//
// The last two signal the named event once their windows exist.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tools/shell_standin.h"

using namespace shellstandin;

namespace {

const char* g_readyEvent;

void SignalReady() {
  HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, g_readyEvent);
  if (!ready) return;
  SetEvent(ready);
  CloseHandle(ready);
}

// Host: one top-level window per WINDOW = CLASS|TITLE|X,Y,W,H|FLAGS, where an
// empty CLASS means the host's own class.  FLAGS letters: m minimised, h
// hidden, c and a hold Ctrl and Alt down in the host's key state, o a pop-up
// (as a message box or a Find box is) owned by the window before it, l late:
// it answers sent messages at once but takes each move that another program
// asks of it 2.5 s later, in order, as a window on Windows takes a posted
// SWP_ASYNCWINDOWPOS request only after the sent messages before it; r
// refuses every move another program asks of it, until it is posted
// WM_APP + 2.  A window notes where it stands when it receives WM_ENDSESSION
// in the properties "endX" and "endY".  Each
// window carries the 1-based number of its argument in the window property
// "QovIndex" (window properties are readable from other processes), the
// wParam of the last WM_KEYDOWN or WM_SYSKEYDOWN it received in "key" and
// their number in "keys".  A window posted WM_APP + 1 makes the host stop pumping messages for
// wParam milliseconds: its windows then hang.  The host ends with its last
// window.
int g_windows = 0;

struct LateMove {
  HWND hwnd;
  int x, y;
  DWORD due;
};
LateMove g_late[256];
int g_lateCount = 0;
bool g_applying = false;

LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_WINDOWPOSCHANGING: {
      auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
      if (GetPropA(hwnd, "refuse") && InSendMessage()) pos->flags |= SWP_NOMOVE;
      if (g_applying || !GetPropA(hwnd, "late") || (pos->flags & SWP_NOMOVE) ||
          g_lateCount == 256)
        break;
      g_late[g_lateCount++] = {hwnd, pos->x, pos->y, GetTickCount() + 2500};
      pos->flags |= SWP_NOMOVE;
      SetTimer(hwnd, 1, 50, nullptr);
      return 0;
    }
    case WM_TIMER: {
      int taken = 0;
      while (taken < g_lateCount && GetTickCount() >= g_late[taken].due) {
        const LateMove& m = g_late[taken++];
        g_applying = true;
        SetWindowPos(m.hwnd, nullptr, m.x, m.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        g_applying = false;
      }
      std::memmove(g_late, g_late + taken, (g_lateCount - taken) * sizeof(LateMove));
      g_lateCount -= taken;
      return 0;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      SetPropA(hwnd, "key", reinterpret_cast<HANDLE>(wParam));
      auto count = reinterpret_cast<INT_PTR>(GetPropA(hwnd, "keys")) + 1;
      SetPropA(hwnd, "keys", reinterpret_cast<HANDLE>(count));
      return 0;
    }
    case WM_APP + 1:
      Sleep(static_cast<DWORD>(wParam));
      return 0;
    case WM_APP + 2:
      RemovePropA(hwnd, "refuse");
      return 0;
    case WM_ENDSESSION: {
      RECT r;
      GetWindowRect(hwnd, &r);
      SetPropA(hwnd, "endX", reinterpret_cast<HANDLE>(static_cast<INT_PTR>(r.left)));
      SetPropA(hwnd, "endY", reinterpret_cast<HANDLE>(static_cast<INT_PTR>(r.top)));
      return 0;
    }
    case WM_DESTROY:
      if (--g_windows == 0) PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND CreateHostWindow(const char* layout, HWND before, int index) {
  char cls[64] = "QovTestHost", title[128] = "", flags[8] = "";
  int x, y, width, height;
  const char* rest = std::strchr(layout, '|');
  if (!rest) return nullptr;
  if (rest != layout) std::sscanf(layout, "%63[^|]", cls);
  const char* format = "|%127[^|]|%d,%d,%d,%d|%7s";
  if (std::sscanf(rest, format, title, &x, &y, &width, &height, flags) < 5) return nullptr;
  WNDCLASSA wc = {};
  wc.lpfnWndProc = HostProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = cls;
  RegisterClassA(&wc);  // fails harmlessly when registered before
  const bool owned = std::strchr(flags, 'o');
  const DWORD style = owned ? WS_POPUP | WS_CAPTION | WS_SYSMENU : WS_OVERLAPPEDWINDOW;
  HWND hwnd = CreateWindowExA(0, cls, title, style, x, y, width, height, owned ? before : nullptr,
                              nullptr, wc.hInstance, nullptr);
  if (!hwnd) return nullptr;
  ++g_windows;
  SetPropA(hwnd, "QovIndex", reinterpret_cast<HANDLE>(static_cast<INT_PTR>(index)));
  BYTE keys[256];
  GetKeyboardState(keys);
  if (std::strchr(flags, 'c')) keys[VK_CONTROL] = keys[VK_LCONTROL] = 0x80;
  if (std::strchr(flags, 'a')) keys[VK_MENU] = keys[VK_LMENU] = 0x80;
  SetKeyboardState(keys);
  if (!std::strchr(flags, 'h'))
    ShowWindow(hwnd, std::strchr(flags, 'm') ? SW_SHOWMINNOACTIVE : SW_SHOWNOACTIVATE);
  if (std::strchr(flags, 'l')) SetPropA(hwnd, "late", reinterpret_cast<HANDLE>(1));
  if (std::strchr(flags, 'r')) SetPropA(hwnd, "refuse", reinterpret_cast<HANDLE>(1));
  return hwnd;
}

// Shell: a top-level window of class "Progman" titled "Program Manager"
// (hidden) and its "SHELLDLL_DefView" child on the main thread; a second
// thread, the desktop thread, creates their "SysListView32" grandchild with
// the style STYLE and runs its message loop, so that a hook on the wrong
// thread shows.  See shell_standin.h for what the list view answers.
HWND g_defView;
DWORD g_listStyle;
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
  // Its creation sends to the desktop view, whose thread goes on pumping.
  HWND list = CreateIconView(g_defView, g_listStyle);
  if (!list) return 1;
  g_listViewProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListViewProc)));
  SignalReady();
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (msg.hwnd == nullptr && msg.message == kMark) ++g_marks;
    DispatchMessageA(&msg);
  }
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (__argc >= 4) g_readyEvent = __argv[2];
  if (__argc >= 4 && std::strcmp(__argv[1], "host") == 0) {
    HWND last = nullptr;
    for (int i = 3; i < __argc; ++i) {
      last = CreateHostWindow(__argv[i], last, i - 2);
      if (!last) return 2;
    }
    SignalReady();
  } else if (__argc >= 4 && std::strcmp(__argv[1], "shell") == 0) {
    g_listStyle = std::strtoul(__argv[3], nullptr, 10);
    g_defView = CreateDesktopWindows(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    if (!g_defView || !CreateThread(nullptr, 0, DesktopThread, nullptr, 0, nullptr)) return 2;
  } else if (__argc > 1) {
    return 1;
  } else {
    // Idle: holds the test run's Wine desktop open until the run's wineserver
    // ends it.  The desktop's explorer is started by the first process that
    // uses the desktop and inherits that process's output: started by a test
    // program, it would hold the test's output pipe after the test ended, and
    // ctest waits for every holder of it.  Taking the desktop here first
    // starts explorer with this process's (empty) output, and keeps it from
    // leaving and starting again between tests.  No window of its own, so no
    // broadcast ever waits for this thread.
    GetDesktopWindow();
  }
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}
