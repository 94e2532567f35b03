#include "vscreen/WindowMover.h"

#include <cstdint>
#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "core/viewkeys.h"
#include "core/vscreen.h"
#include "fw/shellwnd.h"
#include "vscreen/Pins.h"
#include "vscreen/ViewWindows.h"

int g_nMoveOffsetX = 0;
int g_nMoveOffsetY = 0;
int g_bMoveDesktopIconsX = 0;
int g_bMoveDesktopIconsY = 0;
char g_szTitleX[256];
char g_szTitleY[256];

namespace {

using Point = core::PendingMoves::Point;

// Moves of other threads' windows that were not seen done when the scroll
// that asked for them returned.
core::PendingMoves g_pending;

// The moves one scroll asked of other threads, looked at once it has asked
// for all of them.
struct Request {
  HWND hwnd;
  DWORD thread;
  Point from, to;
};
std::vector<Request> g_requests;

// How long scrolls may still wait for other threads in all (INFINITE: each
// scroll as it normally does), and from when.
DWORD g_waitBudget = INFINITE;
DWORD g_waitBudgetFrom = 0;

// How long a scroll waits for a thread to answer, once per thread.  A thread
// that answers later still moves its windows; only the scroll does not wait.
constexpr UINT kAnswerMs = 100;
// How long the timer's look at pending moves waits for a window's thread.
constexpr UINT kProbeMs = 10;

// The window its user carries across the edge, with the windows it owns.
HWND g_carried = nullptr;

bool Carried(HWND hwnd) {
  int depth = 0;
  for (HWND w = hwnd; g_carried && w && depth < 32; w = GetWindow(w, GW_OWNER), ++depth)
    if (w == g_carried) return true;
  return false;
}

std::uintptr_t Key(HWND hwnd) { return reinterpret_cast<std::uintptr_t>(hwnd); }

// Where a window stands in the coordinates it is moved in: a child window
// (the desktop icon list view) in its parent's client area, a top-level or
// owned window on the screen.  GetParent would give an owned pop-up's
// owner, whose client origin has nothing to do with where it stands.
bool Position(HWND hwnd, Point& at) {
  RECT rect;
  if (!GetWindowRect(hwnd, &rect)) return false;
  if (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD)
    MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 1);
  at = {rect.left, rect.top};
  return true;
}

bool At(HWND hwnd, Point target) {
  Point now;
  return Position(hwnd, now) && now.x == target.x && now.y == target.y;
}

// Whether the window's thread answers within `ms`; SMTO_BLOCK: no other
// scroll may run inside this one.  A thread that answers has taken every
// message sent to it before (on Windows not the posted moves: those it
// takes after the answer, which is why only the window's place counts).
bool Answers(HWND hwnd, UINT ms) {
  DWORD_PTR answer = 0;
  return SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_BLOCK | SMTO_ABORTIFHUNG, ms, &answer) != 0;
}

std::uint32_t Now() { return GetTickCount(); }

void MoveTo(HWND hwnd, Point from, Point to) {
  const UINT flags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
  const DWORD thread = GetWindowThreadProcessId(hwnd, nullptr);
  if (thread == GetCurrentThreadId()) {
    SetWindowPos(hwnd, nullptr, to.x, to.y, 0, 0, flags);
    return;
  }
  // Another thread moves its window itself, when it takes the request: the
  // scroll never waits on a program that does not answer.  A window the
  // system will not let this program move (one of a program with higher
  // rights) stays where it is, as a window that refuses the move does.
  if (!SetWindowPos(hwnd, nullptr, to.x, to.y, 0, 0, flags | SWP_ASYNCWINDOWPOS)) {
    g_pending.Erase(Key(hwnd));
    return;
  }
  g_requests.push_back({hwnd, thread, from, to});
}

void MoveByOffset(HWND hwnd, char (&title)[256], int dx, int dy, int moveDesktopIcons) {
  title[0] = '\0';
  GetWindowTextA(hwnd, title, sizeof(title));
  title[sizeof(title) - 1] = '\0';
  // Minimised windows keep their place on the physical screen, and so do
  // pinned ones; untitled ones (the taskbar, the edge bars, tool windows)
  // are not part of the picture.
  core::WindowFacts facts;
  facts.titled = title[0] != '\0';
  facts.minimised = IsIconic(hwnd) != FALSE;
  if (!core::MovedByScroll(facts) || pins::IsPinned(hwnd) || Carried(hwnd)) return;
  if (moveDesktopIcons && std::strstr(title, "Program Manager") != nullptr) {
    // The shell's desktop: its icon list view slides instead of the desktop.
    hwnd = fw::DesktopIconWindowOf(hwnd);
    if (hwnd == nullptr) return;
  }
  Point at;
  if (!Position(hwnd, at)) return;
  const Point from = g_pending.Base(Key(hwnd), at);
  MoveTo(hwnd, from, {from.x + dx, from.y + dy});
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

void FinishMoves() {
  // One wait at most per thread, however many windows it has: a thread that
  // does not answer in time is lagging, and its other windows are not
  // waited for.  Nor is a thread every window of which already has a move
  // on its way: it has not taken the last one yet.
  std::vector<DWORD> asked;
  for (const Request& r : g_requests) {
    if (std::find(asked.begin(), asked.end(), r.thread) != asked.end()) continue;
    asked.push_back(r.thread);
    bool lagging = true;
    for (const Request& other : g_requests)
      if (other.thread == r.thread && !g_pending.Contains(Key(other.hwnd))) lagging = false;
    if (lagging) continue;
    UINT ms = kAnswerMs;
    if (g_waitBudget != INFINITE) {
      const DWORD spent = GetTickCount() - g_waitBudgetFrom;
      if (spent >= g_waitBudget) continue;
      ms = std::min<UINT>(ms, g_waitBudget - spent);
    }
    Answers(r.hwnd, ms);
  }
  const std::uint32_t now = Now();
  for (const Request& r : g_requests) {
    if (At(r.hwnd, r.to))
      g_pending.Erase(Key(r.hwnd));
    else
      g_pending.Request(Key(r.hwnd), r.from, r.to, now);
  }
  g_requests.clear();
}

void SetCarriedWindow(HWND hwnd) { g_carried = hwnd; }

void LimitWaits(DWORD ms) {
  g_waitBudget = ms;
  g_waitBudgetFrom = GetTickCount();
}

bool PlannedRect(HWND hwnd, core::Rect& rect) {
  RECT r;
  Point at;
  if (!GetWindowRect(hwnd, &r) || !Position(hwnd, at)) return false;
  const Point to = g_pending.Base(Key(hwnd), at);
  const int dx = to.x - at.x, dy = to.y - at.y;
  rect = {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
  return true;
}

namespace {

struct Bringing {
  const core::Screen& screen;
  core::Rect page, space;
  bool (*which)(HWND);
  CViewWindows windows;
};

BOOL CALLBACK BringWindow(HWND hwnd, LPARAM lParam) {
  const Bringing& b = *reinterpret_cast<const Bringing*>(lParam);
  core::Rect r;
  if (!b.windows.OfTheView(hwnd) || (b.which && !b.which(hwnd)) || !PlannedRect(hwnd, r))
    return TRUE;
  const core::Point to = core::PlaceOnScreen(r, b.screen, b.page, b.space);
  Point at;
  if ((to.x != r.left || to.y != r.top) && Position(hwnd, at))
    MoveTo(hwnd, g_pending.Base(Key(hwnd), at), {to.x, to.y});
  return TRUE;
}

}  // namespace

void MoveWindowTo(HWND hwnd, int x, int y) {
  Point at;
  if (!Position(hwnd, at)) return;
  MoveTo(hwnd, g_pending.Base(Key(hwnd), at), {x, y});
  // Asked of one window: no thread is waited for.
  const DWORD budget = g_waitBudget, from = g_waitBudgetFrom;
  g_waitBudget = 0;
  FinishMoves();
  g_waitBudget = budget;
  g_waitBudgetFrom = from;
}

void BringOntoScreen(const core::Screen& screen, const core::Rect& page, const core::Rect& space,
                     bool (*which)(HWND)) {
  Bringing b = {screen, page, space, which, CViewWindows()};
  EnumWindows(BringWindow, reinterpret_cast<LPARAM>(&b));
  FinishMoves();
}

void ForgetFinishedMoves(bool askOwners) {
  // Each thread is asked once per look, and only for a window that is still
  // on its way.
  std::vector<std::pair<DWORD, bool>> answered;
  auto answers = [&](std::uintptr_t window) {
    HWND hwnd = reinterpret_cast<HWND>(window);
    const DWORD thread = GetWindowThreadProcessId(hwnd, nullptr);
    for (const auto& t : answered)
      if (t.first == thread) return t.second;
    answered.emplace_back(thread, Answers(hwnd, kProbeMs));
    return answered.back().second;
  };
  auto look = [](std::uintptr_t window) {
    HWND hwnd = reinterpret_cast<HWND>(window);
    core::PendingMoves::Look l = {IsWindow(hwnd) != FALSE, {0, 0}};
    if (l.exists) l.exists = Position(hwnd, l.at);
    return l;
  };
  g_pending.Settle(Now(), askOwners, look, answers);
}

size_t PendingMoveCount() { return g_pending.Size(); }
