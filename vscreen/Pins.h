// Pinned windows: they stay where they are on the screen while the view
// scrolls, jumps or gathers.  A window is pinned for as long as it lives, or
// by its program's file name (the settings' list); a window owned by a
// pinned one (its Find box, a message box, a dialog) is pinned with it.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace pins {

// Pins a window that is not pinned, unpins one that is; false for no window.
bool Toggle(HWND hwnd);
// Whether the window is pinned: by itself, by its program, or through the
// chain of its owners.
bool IsPinned(HWND hwnd);
// The programs whose windows are always pinned, by file name.
void SetPrograms(std::vector<std::u16string> names);
// Forgets destroyed windows and what was learnt of programs (a process id
// may be reused by another program).
void Tidy();

}  // namespace pins
