#include "vscreen/WindowMover.h"

#include <cstdint>
#include <cstring>

#include "core/vscreen.h"
#include "fw/shellwnd.h"

int g_nMoveOffsetX = 0;
int g_nMoveOffsetY = 0;
int g_bMoveDesktopIconsX = 0;
int g_bMoveDesktopIconsY = 0;
char g_szTitleX[256];
char g_szTitleY[256];

namespace {

// Moves of other threads' windows that were not seen done when the scroll
// that asked for them returned.
core::PendingMoves g_pending;

// How long a scroll waits for another program to take a move of its window
// before it goes on and leaves the move pending.  A program that answers
// later still moves its window; only the scroll does not wait for it.
constexpr UINT kAnswerMs = 100;
// How long the timer's look at a pending move waits for its window's thread.
constexpr UINT kProbeMs = 10;

std::uintptr_t Key(HWND hwnd) { return reinterpret_cast<std::uintptr_t>(hwnd); }

// Where a window stands in the coordinates it is moved in: a child window
// (the desktop icon list view) in its parent's client area, a top-level or
// owned window on the screen.  GetParent would give an owned pop-up's
// owner, whose client origin has nothing to do with where it stands.
bool Position(HWND hwnd, core::PendingMoves::Point& at) {
  RECT rect;
  if (!GetWindowRect(hwnd, &rect)) return false;
  if (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD)
    MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 1);
  at = {rect.left, rect.top};
  return true;
}

bool At(HWND hwnd, core::PendingMoves::Point target) {
  core::PendingMoves::Point now;
  return Position(hwnd, now) && now.x == target.x && now.y == target.y;
}

void MoveTo(HWND hwnd, core::PendingMoves::Point to) {
  const UINT flags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
  if (GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId()) {
    SetWindowPos(hwnd, nullptr, to.x, to.y, 0, 0, flags);
    return;
  }
  // Another thread moves its window itself, when it takes the request: the
  // scroll never waits on a program that does not answer.
  const bool lagging = g_pending.Contains(Key(hwnd));
  SetWindowPos(hwnd, nullptr, to.x, to.y, 0, 0, flags | SWP_ASYNCWINDOWPOS);
  if (!lagging) {
    // A thread that answers this has taken the request queued before it.
    // SMTO_BLOCK: no other scroll may run inside this one.
    DWORD_PTR answer = 0;
    if (SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_BLOCK | SMTO_ABORTIFHUNG, kAnswerMs,
                            &answer) &&
        At(hwnd, to))
      return;
  }
  g_pending.Set(Key(hwnd), to);
}

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
  core::PendingMoves::Point at;
  if (!Position(hwnd, at)) return;
  at = g_pending.Base(Key(hwnd), at);
  MoveTo(hwnd, {at.x + dx, at.y + dy});
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

void ForgetFinishedMoves(bool askOwners) {
  g_pending.EraseIf([askOwners](std::uintptr_t window, core::PendingMoves::Point target) {
    HWND hwnd = reinterpret_cast<HWND>(window);
    if (!IsWindow(hwnd) || At(hwnd, target)) return true;
    // A thread that answers again has taken every request sent before; a
    // window still elsewhere then refused or adjusted the move, and keeps
    // its place as any window that refuses to move does.
    DWORD_PTR answer = 0;
    return askOwners && SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_BLOCK | SMTO_ABORTIFHUNG,
                                            kProbeMs, &answer) != 0;
  });
}

size_t PendingMoveCount() { return g_pending.Size(); }
