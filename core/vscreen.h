// The virtual screen along one axis: positions, steps and window offsets.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/display.h"

namespace core {

// Scroll codes as a scroll bar sends them (SB_LINELEFT/SB_LINEUP ... SB_THUMBTRACK).
enum ScrollCode {
  kLineBack = 0,
  kLineForward = 1,
  kPageBack = 2,
  kPageForward = 3,
  kThumbPosition = 4,
  kThumbTrack = 5,
};

// Scroll bars and their messages carry thumb positions in 16 signed bits,
// so no axis extends further than this.
constexpr int kMaxAxisExtent = 32767;

// The last view position of an axis: (count - 1) pages, where a count below
// 1 is taken as 1 and a count whose extent passes the 16-bit bound as the
// largest count that fits, so the range is always a whole number of pages.
int AxisMaximum(int pageSize, int screenCount);

// The middle screen (the lower of two middles) of the bounded count.
int InitialPosition(int pageSize, int screenCount);

// A view position kept from an earlier run, taken into the current range.
int ClampToAxis(int position, int maximum);

struct AxisStep {
  bool handled;  // false: the code changes nothing
  int position;  // the new view position
  int offset;    // how far windows move: old position minus new position
};

// One scroll code applied to an axis.  Line and page steps start from the
// control's position, thumb codes from the stored position; the thumb
// position is the message's signed 16-bit value.
AxisStep ScrollAxis(int code, int controlPosition, int storedPosition, int thumbPosition,
                    int pageSize, int maximum, bool fineFirst);

// The page the view shows, column and row counted from 0, of `cols` x
// `rows`: the one that holds the larger part of the view (the earlier one
// where it stands halfway), from each axis's view position, last position
// and page size.  The icon's tooltip, the overview's selection, the command
// line and the page indicator all ask this.
struct ViewPage {
  int col, row, cols, rows;
};
ViewPage CurrentPage(int positionX, int maximumX, int pageX, int positionY, int maximumY,
                     int pageY);

// Whether the jump to a view position (x, y) may happen: strictly inside
// both axes' ranges.
bool JumpInRange(int x, int y, int maximumX, int maximumY);

struct FollowDecision {
  bool record;  // remember the window's title and top-left corner
  bool jump;    // and bring it into view
};

// What a timer tick does with the foreground window.  A maximised window
// calls for the jump only when its client area (screen coordinates) meets
// no monitor: on the view its frame stands beyond a monitor's edges, which
// is no reason to move, and a page away only that frame still does.
FollowDecision DecideFollow(bool isMainWindow, const std::string& title,
                            const std::string& lastTitle, bool maximised, const Rect& client,
                            const std::vector<Monitor>& monitors, bool moveAuto);

// Keeps an app-bar rectangle clear of the taskbar, as a shell that does not
// clip app bars against its own taskbar (Wine's) would otherwise let it
// overlap: the side facing the taskbar's edge of the bar's monitor moves in.
// A taskbar that is hidden, or does not lie along an edge of that monitor,
// changes nothing; nor does one the rectangle does not overlap.
Rect ClipToTaskbar(Rect bar, const Rect& taskbar, const Rect& monitor);

// A bar's rectangle as granted by the shell, made `thickness` thick again
// where the shell granted less (it may still count the strips of a killed
// run's bars): the bar then takes the strip at its own edge of its monitor,
// along the granted length, or the whole edge when none was granted.
Rect FitBarToEdge(Rect granted, bool horizontal, int thickness, const Rect& monitor);

// Length of a bar's scroll bar control: the length of the work area of the
// bar's monitor, but never more than the bar's client length less a pixel at
// each end, so that both arrows stay inside the bar.
int ControlLength(int workLength, int clientLength);

// Where an edge bar goes among the windows when the shell notifies it.  The
// codes are the shell's ABN_ values; `taskbarState` is its ABM_GETSTATE
// answer, and `opening` whether a full-screen program opens (lParam).
enum class BarZOrder { kKeep, kTopmost, kBottom };
constexpr unsigned kStateChange = 0;      // ABN_STATECHANGE
constexpr unsigned kFullScreenApp = 2;    // ABN_FULLSCREENAPP
constexpr unsigned kTaskbarOnTop = 2;     // ABS_ALWAYSONTOP
BarZOrder BarZOrderFor(unsigned notification, unsigned taskbarState, bool opening);

// Where windows of other threads are going.  A move asked of another thread
// is taken when that thread reads its queue, which may be seconds later: a
// busy program answers a sent probe at once and takes the posted move only
// afterwards.  So a move counts as done only when the window stands at its
// target, and the next scroll starts from the target rather than from where
// the window still stands.  Keys are window handles; times are milliseconds
// of a wrapping tick count.
class PendingMoves {
 public:
  struct Point {
    int x, y;
  };
  // How long a window may stay on its way while its thread keeps answering
  // before it is taken to have refused the move.
  static constexpr std::uint32_t kRefusalMs = 10000;

  // The position a scroll of this window starts from: the last target while
  // the move is on its way; otherwise where it stands, which also ends an
  // entry whose window arrived or was put elsewhere.
  Point Base(std::uintptr_t window, Point current);
  // A request for `target` made at `now` of a window standing at `from`.
  void Request(std::uintptr_t window, Point from, Point target, std::uint32_t now);
  void Erase(std::uintptr_t window);
  bool Contains(std::uintptr_t window) const;
  // Looks at each entry as it stands now: `look` gives whether the window
  // still exists and where it stands, `answers` whether its thread answers
  // (asked only when `ask` and the window is not yet at its target).  Drops
  // an entry whose window is gone or arrived; with `ask`, also one whose
  // window was put elsewhere or stayed on its way while its thread went on
  // answering for kRefusalMs since the last request.
  struct Look {
    bool exists;
    Point at;
  };
  template <typename LookAt, typename Answers>
  void Settle(std::uint32_t now, bool ask, LookAt look, Answers answers) {
    std::vector<Entry> kept;
    for (Entry& e : m_entries) {
      const Look l = look(e.window);
      if (!l.exists || Same(l.at, e.target)) continue;
      if (!ask) {
      } else if (!answers(e.window)) {
        // Nothing is known of a thread that does not answer: its time to
        // take the move starts again when it does.
        e.quietSince = now;
      } else if (!OnItsWay(e, l.at) || now - e.quietSince >= kRefusalMs) {
        continue;
      }
      kept.push_back(e);
    }
    m_entries.swap(kept);
  }
  std::size_t Size() const { return m_entries.size(); }

 private:
  // Where a window may stand while it takes the requests before the last
  // one, in order: where it stood at the first, then each earlier target
  // (the latest ones, when there were more).
  static constexpr int kStops = 8;
  struct Entry {
    std::uintptr_t window;
    Point target;
    Point stops[kStops];
    int stopCount;
    std::uint32_t quietSince;  // the last request, or the last tick without an answer
  };
  static bool Same(Point a, Point b) { return a.x == b.x && a.y == b.y; }
  static bool OnItsWay(const Entry& e, Point at);
  Entry* Find(std::uintptr_t window);

  std::vector<Entry> m_entries;
};

}  // namespace core
