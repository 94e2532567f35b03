// The virtual screen along one axis: positions, steps and window offsets.
#pragma once
#include <string>

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

// The last view position of an axis: (count - 1) pages, a count below 1 taken
// as 1, and never beyond what a 16-bit thumb position can carry.
int AxisMaximum(int pageSize, int screenCount);

// The middle screen (the lower of two middles), within the axis.
int InitialPosition(int pageSize, int screenCount);

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

// Whether the jump to a view position (x, y) may happen: strictly inside
// both axes' ranges.
bool JumpInRange(int x, int y, int maximumX, int maximumY);

struct FollowDecision {
  bool record;  // remember the window's title and top-left corner
  bool jump;    // and bring it into view
};

// What a timer tick does with the foreground window.
FollowDecision DecideFollow(bool isMainWindow, const std::string& title,
                            const std::string& lastTitle, bool maximised, int left, int top,
                            bool moveAuto);

}  // namespace core

namespace core {

struct Rect {
  int left, top, right, bottom;
};

// Keeps an app-bar rectangle clear of the taskbar, as a shell that does not
// clip app bars against its own taskbar (Wine's) would otherwise let it
// overlap: the side facing the taskbar's screen edge moves in.  A taskbar
// that is hidden, or does not lie along an edge of the screen, changes
// nothing; nor does one the rectangle does not overlap.
Rect ClipToTaskbar(Rect bar, const Rect& taskbar, int screenWidth, int screenHeight);

}  // namespace core
