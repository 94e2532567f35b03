#include "core/vscreen.h"

namespace core {

int AxisMaximum(int pageSize, int screenCount) {
  if (pageSize <= 0 || screenCount <= 1) return 0;
  long long extent = static_cast<long long>(screenCount - 1) * pageSize;
  return extent > kMaxAxisExtent ? kMaxAxisExtent : static_cast<int>(extent);
}

int InitialPosition(int pageSize, int screenCount) {
  if (pageSize <= 0 || screenCount <= 1) return 0;
  long long middle = static_cast<long long>((screenCount - 1) / 2) * pageSize;
  int maximum = AxisMaximum(pageSize, screenCount);
  return middle > maximum ? maximum : static_cast<int>(middle);
}

namespace {

int Clamp(long long value, int maximum) {
  if (value < 0) return 0;
  return value > maximum ? maximum : static_cast<int>(value);
}

}  // namespace

AxisStep ScrollAxis(int code, int controlPosition, int storedPosition, int thumbPosition,
                    int pageSize, int maximum, bool fineFirst) {
  const long long b = controlPosition;
  const long long page = pageSize > 0 ? pageSize : 1;
  const long long line = page / 10;
  long long wanted;
  switch (code) {
    case kLineBack:
      wanted = b - line;
      break;
    case kLineForward:
      wanted = b + line;
      break;
    case kPageBack:
      // With "fine first" a position between page boundaries first goes back
      // to the boundary below it.
      wanted = (fineFirst && b % page != 0) ? page * (b / page) : b - page;
      break;
    case kPageForward:
      wanted = fineFirst ? page * ((b + page) / page) : b + page;
      break;
    case kThumbPosition:
    case kThumbTrack: {
      // A thumb position outside the axis (a message from elsewhere) is
      // taken to the nearest end rather than moving windows off the screen.
      int position = Clamp(thumbPosition, maximum);
      return {true, position, storedPosition - position};
    }
    default:
      return {false, storedPosition, 0};
  }
  int position = Clamp(wanted, maximum);
  return {true, position, controlPosition - position};
}

bool JumpInRange(int x, int y, int maximumX, int maximumY) {
  return 0 < x && x < maximumX && 0 < y && y < maximumY;
}

FollowDecision DecideFollow(bool isMainWindow, const std::string& title,
                            const std::string& lastTitle, bool maximised, int left, int top,
                            bool moveAuto) {
  if (isMainWindow || title.empty() || title == lastTitle) return {false, false};
  bool offView = maximised && left != 0 && top != 0;
  return {true, offView || moveAuto};
}

}  // namespace core

namespace core {

Rect ClipToTaskbar(Rect bar, const Rect& t, int screenWidth, int screenHeight) {
  const bool overlaps =
      bar.left < t.right && t.left < bar.right && bar.top < t.bottom && t.top < bar.bottom;
  if (!overlaps) return bar;
  const bool wide = t.right - t.left >= t.bottom - t.top;
  if (wide && t.bottom >= screenHeight && t.top > 0) {
    if (bar.bottom > t.top) bar.bottom = t.top;
  } else if (wide && t.top <= 0 && t.bottom < screenHeight) {
    if (bar.top < t.bottom) bar.top = t.bottom;
  } else if (!wide && t.right >= screenWidth && t.left > 0) {
    if (bar.right > t.left) bar.right = t.left;
  } else if (!wide && t.left <= 0 && t.right < screenWidth) {
    if (bar.left < t.right) bar.left = t.right;
  }
  return bar;
}

}  // namespace core
