// The shell's desktop windows as the program and the library find them, for
// the stand-in shell (qov_helper.exe shell) and the benchmarks; and what the
// tests and the stand-in shell say to each other.
#pragma once
#include <windows.h>
#include <commctrl.h>

namespace shellstandin {

// Registers "Progman" and "SHELLDLL_DefView" and creates a window of each:
// "Program Manager", hidden, and its child filling it.  Returns the child (the
// desktop view).
inline HWND CreateDesktopWindows(int width, int height) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "Progman";
  RegisterClassA(&wc);
  wc.lpszClassName = "SHELLDLL_DefView";
  RegisterClassA(&wc);
  HWND progman = CreateWindowExA(WS_EX_TOOLWINDOW, "Progman", "Program Manager", WS_POPUP, 0, 0,
                                 width, height, nullptr, nullptr, wc.hInstance, nullptr);
  return CreateWindowExA(0, "SHELLDLL_DefView", "", WS_CHILD | WS_VISIBLE, 0, 0, width, height,
                         progman, nullptr, wc.hInstance, nullptr);
}

// The desktop icon list view in the desktop view, on the calling thread.
inline HWND CreateIconView(HWND view, DWORD style) {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  RECT area = {};
  GetClientRect(view, &area);
  return CreateWindowExA(0, WC_LISTVIEWA, "FolderView", style, 0, 0, area.right, area.bottom, view,
                         reinterpret_cast<HMENU>(1), GetModuleHandleA(nullptr), nullptr);
}

enum : UINT {
  // Number of messages the stand-in's own WH_GETMESSAGE hook on the list
  // view's thread has seen: that hook was there first, so every hook
  // installed later must pass the messages on for it to see them.
  kQueryChainedMessages = WM_APP + 2,
  // Sets the list view's style to lParam from its own thread.
  kSetStyle = WM_APP + 3,
  // Number of kMark thread messages the list view's thread has retrieved.
  kQueryMarks = WM_APP + 4,
  // Posted to the list view's thread: counted when retrieved, so a test
  // knows that everything posted before it has been through the hooks.
  kMark = WM_APP + 5,
};

}  // namespace shellstandin
