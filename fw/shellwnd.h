// The shell's windows that the program and the hook library rely on, found
// the one way both use.  Header only: the hook library includes it too.
#pragma once
#include <windows.h>

namespace fw {

// The desktop icon list view of a desktop window: its first child's first child.
inline HWND DesktopIconWindowOf(HWND desktop) {
  HWND view = desktop ? GetTopWindow(desktop) : nullptr;
  return view ? GetTopWindow(view) : nullptr;
}

// The shell's desktop icon window, under the window of class "ProgMan".
inline HWND FindDesktopIconWindow() {
  return DesktopIconWindowOf(FindWindowA("ProgMan", nullptr));
}

// The taskbar, found by its class with an empty (not a null) title.
inline HWND FindTaskbar() { return FindWindowA("Shell_TrayWnd", ""); }

}  // namespace fw
