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
  // 32 screens of 1024 fit 16 bits; more are cut at 32767, never wrapped.
  EXPECT_EQ(AxisMaximum(1024, 32), 31744);
  EXPECT_EQ(AxisMaximum(1024, 33), 32767);
  EXPECT_EQ(AxisMaximum(1024, INT_MAX), 32767);
  EXPECT_EQ(InitialPosition(1024, 1000), 32767);
  EXPECT_EQ(InitialPosition(1024, 64), 31744);
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
  int maximum = AxisMaximum(1024, 40);
  AxisStep s = ScrollAxis(kPageForward, 32000, 32000, 0, 1024, maximum, false);
  EXPECT_EQ(s.position, 32767);
  EXPECT_EQ(s.offset, -767);
  // What a message carries of the largest position comes back unchanged.
  short carried = static_cast<short>(static_cast<unsigned short>(maximum));
  EXPECT_EQ(ScrollAxis(kThumbPosition, 0, 32000, carried, 1024, maximum, false).position, 32767);
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

TEST(Follow, RecordsNewTitlesAndJumpsForMaximisedOrAlways) {
  FollowDecision d = DecideFollow(false, "Editor", "", false, 10, 10, false);
  EXPECT_TRUE(d.record);
  EXPECT_FALSE(d.jump);
  d = DecideFollow(false, "Editor", "Editor", true, 2000, 2000, true);
  EXPECT_FALSE(d.record);
  EXPECT_FALSE(d.jump);
  EXPECT_TRUE(DecideFollow(false, "editor", "Editor", false, 0, 0, false).record);
  EXPECT_FALSE(DecideFollow(false, "", "Editor", true, 5, 5, true).record);
  EXPECT_FALSE(DecideFollow(true, "Main", "", true, 5, 5, true).record);
  // Maximised off the view: both corners away from 0.
  EXPECT_TRUE(DecideFollow(false, "A", "", true, 1020, 764, false).jump);
  EXPECT_FALSE(DecideFollow(false, "A", "", true, 0, 764, false).jump);
  EXPECT_FALSE(DecideFollow(false, "A", "", true, 1020, 0, false).jump);
  EXPECT_TRUE(DecideFollow(false, "A", "", false, 0, 0, true).jump);
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
