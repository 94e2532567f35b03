#include "core/vscreen.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

using namespace core;

namespace {

const int kPage = 1024;
const int kMax = 2048;  // three screens

AxisStep Step(int code, int b, bool fine = false, int thumb = 0, int stored = -1) {
  return ScrollAxis(code, b, stored < 0 ? b : stored, thumb, kPage, kMax, fine);
}

}  // namespace

TEST(Axis, RangeAndMiddle) {
  EXPECT_EQ(AxisMaximum(1024, 3), 2048);
  EXPECT_EQ(AxisMaximum(768, 1), 0);
  EXPECT_EQ(InitialPosition(1024, 1), 0);
  EXPECT_EQ(InitialPosition(1024, 2), 0);
  EXPECT_EQ(InitialPosition(1024, 3), 1024);
  EXPECT_EQ(InitialPosition(1024, 4), 1024);
  EXPECT_EQ(InitialPosition(1024, 5), 2048);
  EXPECT_EQ(InitialPosition(1024, 6), 2048);
  // A count below 1 (a bad registry value) is one screen, not a negative range.
  EXPECT_EQ(AxisMaximum(1024, 0), 0);
  EXPECT_EQ(AxisMaximum(1024, -5), 0);
  EXPECT_EQ(InitialPosition(1024, -5), 0);
  // 32 screens of 1024 fit 16 bits; more count as 32, so the range stays
  // whole pages and the view starts on the middle screen.
  EXPECT_EQ(AxisMaximum(1024, 32), 31744);
  EXPECT_EQ(AxisMaximum(1024, 33), 31744);
  EXPECT_EQ(AxisMaximum(1024, INT_MAX), 31744);
  EXPECT_EQ(AxisMaximum(768, 1000), 32256);
  EXPECT_EQ(InitialPosition(1024, 1000), 15360);
  EXPECT_EQ(InitialPosition(1024, 64), 15360);
  // A position kept from an earlier run comes into the range.
  EXPECT_EQ(ClampToAxis(3000, 2048), 2048);
  EXPECT_EQ(ClampToAxis(-5, 2048), 0);
  EXPECT_EQ(ClampToAxis(1500, 2048), 1500);
}

TEST(Axis, LineStepsAreATenthOfAPageAndStopAtTheEnds) {
  AxisStep s = Step(kLineForward, 1024);
  EXPECT_EQ(s.position, 1126);
  EXPECT_EQ(s.offset, -102);
  // Ten steps back from 1024 reach 4; the eleventh reaches 0 and moves by 4.
  int b = 1024;
  for (int i = 0; i < 10; ++i) b = Step(kLineBack, b).position;
  EXPECT_EQ(b, 4);
  s = Step(kLineBack, b);
  EXPECT_EQ(s.position, 0);
  EXPECT_EQ(s.offset, 4);
  s = Step(kLineBack, 0);
  EXPECT_EQ(s.position, 0);
  EXPECT_EQ(s.offset, 0);
  s = Step(kLineForward, 2000);
  EXPECT_EQ(s.position, 2048);
  EXPECT_EQ(s.offset, -48);
  EXPECT_EQ(ScrollAxis(kLineForward, 0, 0, 0, 640, 1280, false).offset, -64);
}

TEST(Axis, PageStepsWithAndWithoutFineFirst) {
  AxisStep s = Step(kPageBack, 1500, true);
  EXPECT_EQ(s.position, 1024);
  EXPECT_EQ(s.offset, 476);
  s = Step(kPageForward, 1500, true);
  EXPECT_EQ(s.position, 2048);
  EXPECT_EQ(s.offset, -548);
  s = Step(kPageBack, 1500, false);
  EXPECT_EQ(s.position, 476);
  EXPECT_EQ(s.offset, 1024);
  s = Step(kPageForward, 1500, false);
  EXPECT_EQ(s.position, 2048);
  EXPECT_EQ(s.offset, -548);
  // From a boundary "fine first" is a full page.
  EXPECT_EQ(Step(kPageBack, 1024, true).position, 0);
  EXPECT_EQ(Step(kPageForward, 1024, true).position, 2048);
  EXPECT_EQ(Step(kPageForward, 0, true).position, 1024);
  // At the ends nothing moves.
  EXPECT_EQ(Step(kPageForward, 2048, true).offset, 0);
  EXPECT_EQ(Step(kPageForward, 2048, false).offset, 0);
  EXPECT_EQ(Step(kPageBack, 0, true).offset, 0);
  EXPECT_EQ(Step(kPageBack, 0, false).offset, 0);
}

TEST(Axis, ThumbCodesMoveFromTheStoredPosition) {
  // Tracking from 1024 to 1500 in two messages, then the release: 476 in all.
  AxisStep a = Step(kThumbTrack, 1024, false, 1200, 1024);
  EXPECT_EQ(a.offset, -176);
  AxisStep b = Step(kThumbTrack, 1024, false, 1500, a.position);
  EXPECT_EQ(b.offset, -300);
  AxisStep c = Step(kThumbPosition, 1024, false, 1500, b.position);
  EXPECT_EQ(c.position, 1500);
  EXPECT_EQ(c.offset, 0);
  // The jump sets the control first; the stored position decides the offset.
  AxisStep jump = ScrollAxis(kThumbPosition, 1800, 1024, 1800, kPage, kMax, false);
  EXPECT_EQ(jump.offset, -776);
  // Positions from outside the axis go to its nearest end.
  EXPECT_EQ(Step(kThumbPosition, 1024, false, -5, 1024).position, 0);
  EXPECT_EQ(Step(kThumbPosition, 1024, false, -32768, 1024).offset, 1024);
  EXPECT_EQ(Step(kThumbTrack, 1024, false, 30000, 1024).position, 2048);
}

TEST(Axis, OtherCodesAndSingleScreens) {
  for (int code : {6, 7, 8, -1, 100}) {
    AxisStep s = Step(code, 1024, true, 5, 1000);
    EXPECT_FALSE(s.handled);
    EXPECT_EQ(s.position, 1000);
    EXPECT_EQ(s.offset, 0);
  }
  for (int code = 0; code <= 5; ++code) {
    AxisStep s = ScrollAxis(code, 0, 0, 500, 1024, AxisMaximum(1024, 1), true);
    EXPECT_TRUE(s.handled);
    EXPECT_EQ(s.position, 0) << code;
    EXPECT_EQ(s.offset, 0) << code;
  }
}

TEST(Axis, SixteenBitPositionsNeverWrap) {
  int maximum = AxisMaximum(640, 60);  // 52 screens of 640 fit: 32640
  AxisStep s = ScrollAxis(kPageForward, 32000, 32000, 0, 640, maximum, true);
  EXPECT_EQ(s.position, 32640);
  EXPECT_EQ(s.offset, -640);
  // What a message carries of the largest position comes back unchanged.
  short carried = static_cast<short>(static_cast<unsigned short>(maximum));
  EXPECT_EQ(ScrollAxis(kThumbPosition, 0, 32000, carried, 640, maximum, false).position, 32640);
}

TEST(Jump, OnlyStrictlyInsideBothRanges) {
  EXPECT_TRUE(JumpInRange(1, 1, 2048, 1536));
  EXPECT_TRUE(JumpInRange(2047, 1535, 2048, 1536));
  EXPECT_FALSE(JumpInRange(0, 700, 2048, 1536));
  EXPECT_FALSE(JumpInRange(2048, 700, 2048, 1536));
  EXPECT_FALSE(JumpInRange(700, 0, 2048, 1536));
  EXPECT_FALSE(JumpInRange(700, 1536, 2048, 1536));
  EXPECT_FALSE(JumpInRange(-5, 700, 2048, 1536));
  EXPECT_FALSE(JumpInRange(0, 0, 0, 0));  // one screen: never
  EXPECT_FALSE(JumpInRange(700, 700, 2048, 0));
}

TEST(Follow, RecordsNewTitlesAndJumpsForMaximisedOffTheScreenOrAlways) {
  const Rect small = {10, 10, 300, 200};
  auto decide = [](const std::string& title, const std::string& last, bool maximised,
                   const Rect& r, bool moveAuto) {
    return DecideFollow(false, title, last, maximised, r, 1024, 768, moveAuto);
  };
  FollowDecision d = decide("Editor", "", false, small, false);
  EXPECT_TRUE(d.record);
  EXPECT_FALSE(d.jump);
  d = decide("Editor", "Editor", true, {2000, 2000, 3000, 3000}, true);
  EXPECT_FALSE(d.record);
  EXPECT_FALSE(d.jump);
  EXPECT_TRUE(decide("editor", "Editor", false, small, false).record);
  EXPECT_FALSE(decide("", "Editor", true, small, true).record);
  EXPECT_FALSE(DecideFollow(true, "Main", "", true, small, 1024, 768, true).record);
  // Maximised on the view (its client area below the caption): no jump.
  EXPECT_FALSE(decide("A", "", true, {0, 19, 1024, 768}, false).jump);
  // A page away on either axis, or both: a jump.
  EXPECT_TRUE(decide("A", "", true, {-1024, -749, 0, 0}, false).jump);
  EXPECT_TRUE(decide("A", "", true, {1024, 19, 2048, 768}, false).jump);
  EXPECT_TRUE(decide("A", "", true, {0, 787, 1024, 1536}, false).jump);
  EXPECT_FALSE(decide("A", "", true, {1023, 767, 2047, 1535}, false).jump);  // one pixel in
  EXPECT_TRUE(decide("A", "", false, small, true).jump);
}

TEST(Axis, OffsetsAlwaysAddUpToTheDistanceScrolled) {
  // Whatever the codes, windows end where the view's total movement puts them.
  std::mt19937 random(7);
  for (int count : {1, 2, 3, 5, 40}) {
    const int page = 1024;
    const int maximum = AxisMaximum(page, count);
    int control = InitialPosition(page, count), stored = control;
    long long moved = 0;
    for (int i = 0; i < 2000; ++i) {
      int code = static_cast<int>(random() % 8);
      int thumb = static_cast<int>(random() % 70000) - 35000;
      AxisStep s = ScrollAxis(code, control, stored, static_cast<short>(thumb), page, maximum,
                              random() % 2 == 0);
      ASSERT_GE(s.position, 0);
      ASSERT_LE(s.position, maximum);
      moved += s.offset;
      stored = s.position;
      control = s.position;
    }
    EXPECT_EQ(moved, InitialPosition(page, count) - stored) << "count " << count;
  }
}

TEST(Taskbar, BarsKeepClearOfTheTaskbarOnItsEdge) {
  const int cx = 1280, cy = 800;
  const Rect bottomTaskbar = {0, 772, 1280, 800};
  // The horizontal bar's proposal sits on the taskbar; the vertical bar ends above it.
  Rect h = ClipToTaskbar({0, 776, 1280, 800}, bottomTaskbar, cx, cy);
  EXPECT_EQ(h.bottom, 772);
  EXPECT_EQ(h.left, 0);
  EXPECT_EQ(h.right, 1280);
  Rect v = ClipToTaskbar({1256, 0, 1280, 800}, bottomTaskbar, cx, cy);
  EXPECT_EQ(v.bottom, 772);
  EXPECT_EQ(v.top, 0);
  // Taskbars on the other edges push the facing side in.
  EXPECT_EQ(ClipToTaskbar({1256, 0, 1280, 800}, {1230, 0, 1280, 800}, cx, cy).right, 1230);
  EXPECT_EQ(ClipToTaskbar({0, 776, 1280, 800}, {0, 0, 60, 800}, cx, cy).left, 60);
  EXPECT_EQ(ClipToTaskbar({1256, 0, 1280, 800}, {0, 0, 1280, 30}, cx, cy).top, 30);
  // No overlap, or a taskbar that is not docked on an edge: unchanged.
  Rect free = ClipToTaskbar({1256, 0, 1280, 700}, bottomTaskbar, cx, cy);
  EXPECT_EQ(free.bottom, 700);
  Rect floating = ClipToTaskbar({0, 776, 1280, 800}, {100, 500, 900, 790}, cx, cy);
  EXPECT_EQ(floating.bottom, 800);
  Rect whole = ClipToTaskbar({0, 776, 1280, 800}, {0, 0, 1280, 800}, cx, cy);
  EXPECT_EQ(whole.bottom, 800);
}

TEST(Bars, ThicknessAndControlFitTheirEdge) {
  const int cx = 1024, cy = 768;
  // Granted nothing across (a killed run's bar still counted): the edge strip.
  Rect v = FitBarToEdge({1000, 0, 1000, 744}, false, 24, cx, cy);
  EXPECT_EQ(v.left, 1000);
  EXPECT_EQ(v.right, 1024);
  EXPECT_EQ(v.bottom, 744);
  Rect h = FitBarToEdge({0, 744, 1000, 750}, true, 24, cx, cy);
  EXPECT_EQ(h.top, 744);
  EXPECT_EQ(h.bottom, 768);
  EXPECT_EQ(h.right, 1000);
  Rect none = FitBarToEdge({1000, 0, 1000, 0}, false, 24, cx, cy);
  EXPECT_EQ(none.top, 0);
  EXPECT_EQ(none.bottom, 768);
  // Granted the full thickness (above a taskbar, say): kept as granted.
  Rect above = FitBarToEdge({0, 720, 1000, 744}, true, 24, cx, cy);
  EXPECT_EQ(above.bottom, 744);
  // The control: the metric where it fits, else the client less two pixels.
  EXPECT_EQ(ControlLength(1024, 993), 991);
  EXPECT_EQ(ControlLength(976, 1018), 976);
  EXPECT_EQ(ControlLength(976, 1), 0);
}

TEST(PendingMoves, TargetsUntilArrivalOrRemoval) {
  PendingMoves pending;
  const PendingMoves::Point stands = {10, 20};
  EXPECT_EQ(pending.Base(1, stands).x, 10);
  pending.Set(1, {-1014, 20});
  pending.Set(1, {-2038, 20});  // a second scroll before the first arrived
  pending.Set(2, {5, 5});
  EXPECT_EQ(pending.Size(), 2u);
  // Still standing where it was: the scroll starts from the target.
  EXPECT_EQ(pending.Base(1, stands).x, -2038);
  EXPECT_TRUE(pending.Contains(1));
  // Arrived: the entry ends and the window's own position counts.
  EXPECT_EQ(pending.Base(1, {-2038, 20}).x, -2038);
  EXPECT_FALSE(pending.Contains(1));
  EXPECT_EQ(pending.Base(1, {300, 20}).x, 300);
  pending.EraseIf([](std::uintptr_t w, PendingMoves::Point) { return w == 2; });
  EXPECT_EQ(pending.Size(), 0u);
}
