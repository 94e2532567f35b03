#include "vscreen/WindowMover.h"

#include <cstring>

#include "fw/shellwnd.h"

int g_nMoveOffsetX = 0;
int g_nMoveOffsetY = 0;
int g_bMoveDesktopIconsX = 0;
int g_bMoveDesktopIconsY = 0;
char g_szTitleX[256];
char g_szTitleY[256];

namespace {

void MoveByOffset(HWND hwnd, char (&title)[256], int dx, int dy, int moveDesktopIcons) {
  title[0] = '\0';
  GetWindowTextA(hwnd, title, sizeof(title));
  title[sizeof(title) - 1] = '\0';
  // Minimised windows keep their place on the physical screen; untitled ones
  // (the taskbar, the edge bars, tool windows) are not part of the picture.
  if (IsIconic(hwnd) || title[0] == '\0') return;
  if (moveDesktopIcons && std::strstr(title, "Program Manager") != nullptr) {
    // The shell's desktop: its icon list view slides instead of the desktop.
    hwnd = fw::DesktopIconWindowOf(hwnd);
    if (hwnd == nullptr) return;
  }
  RECT rect;
  if (!GetWindowRect(hwnd, &rect)) return;
  if (GetParent(hwnd) != nullptr) {
    // A child moves in its parent's client coordinates.
    MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 2);
  }
  MoveWindow(hwnd, rect.left + dx, rect.top + dy, rect.right - rect.left, rect.bottom - rect.top,
             TRUE);
}

}  // namespace

BOOL CALLBACK MoveWindowProcX(HWND hwnd, LPARAM) {
  MoveByOffset(hwnd, g_szTitleX, g_nMoveOffsetX, 0, g_bMoveDesktopIconsX);
  return TRUE;
}

BOOL CALLBACK MoveWindowProcY(HWND hwnd, LPARAM) {
  MoveByOffset(hwnd, g_szTitleY, 0, g_nMoveOffsetY, g_bMoveDesktopIconsY);
  return TRUE;
}
