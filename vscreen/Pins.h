// Pinned windows: they stay where they are on the screen while the view
// scrolls, jumps or gathers.  A window is pinned for as long as it lives, or
// by its program's file name (the settings' list).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace pins {

// Pins a window that is not pinned, unpins one that is; false for no window.
bool Toggle(HWND hwnd);
// Whether the window is pinned, by itself or by its program.
bool IsPinned(HWND hwnd);
// The programs whose windows are always pinned, by file name.
void SetPrograms(std::vector<std::string> names);
// Forgets destroyed windows and what was learnt of programs (a process id
// may be reused by another program).
void Tidy();

}  // namespace pins
