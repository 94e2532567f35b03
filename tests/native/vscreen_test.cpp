#include "core/edgepush.h"
#include "core/screen.h"
#include "core/uilang.h"
#include "core/viewkeys.h"
#include "core/viewwindows.h"
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

TEST(Axis, RangeMiddleAndSixteenBitBound) {
  EXPECT_EQ(InitialPosition(1024, 5), 2048);
  // More screens than 16 bits carry count as the most that fit: whole pages,
  // started on the middle screen; a count below 1 is one screen.
  EXPECT_EQ(AxisMaximum(1024, 33), 31744);
  EXPECT_EQ(InitialPosition(1024, 1000), 15360);
  EXPECT_EQ(AxisMaximum(1024, -5), 0);
}

TEST(Axis, LinePageAndThumbSteps) {
  EXPECT_EQ(Step(kLineForward, 1024).offset, -102);
  // "Fine first" goes to the page boundary, and from a boundary a full page.
  EXPECT_EQ(Step(kPageBack, 1500, true).offset, 476);
  EXPECT_EQ(Step(kPageBack, 1024, true).position, 0);
  // Thumb codes move from the stored position, into the axis.
  EXPECT_EQ(ScrollAxis(kThumbPosition, 1800, 1024, 1800, kPage, kMax, false).offset, -776);
  EXPECT_FALSE(Step(8, 1024, true, 5).handled);
}

TEST(Axis, OffsetsAlwaysAddUpToTheDistanceScrolled) {
  // Whatever the codes, windows end where the view's total movement puts them.
  std::mt19937 random(7);
  for (int count : {1, 2, 3, 5, 40}) {
    const int maximum = AxisMaximum(kPage, count);
    int position = InitialPosition(kPage, count);
    long long moved = 0;
    for (int i = 0; i < 2000; ++i) {
      int code = static_cast<int>(random() % 8);
      int thumb = static_cast<int>(random() % 70000) - 35000;
      AxisStep s = ScrollAxis(code, position, position, static_cast<short>(thumb), kPage, maximum,
                              random() % 2 == 0);
      ASSERT_GE(s.position, 0);
      ASSERT_LE(s.position, maximum);
      moved += s.offset;
      position = s.position;
    }
    EXPECT_EQ(moved, InitialPosition(kPage, count) - position) << "count " << count;
  }
}

TEST(Axis, TheCurrentPageHoldsTheLargerPartOfTheView) {
  const ViewPage start = CurrentPage(1024, 2048, 1024, 768, 1536, 768);
  EXPECT_TRUE(start.col == 1 && start.row == 1 && start.cols == 3 && start.rows == 3);
  EXPECT_EQ(CurrentPage(512, 2048, 1024, 0, 0, 768).col, 0);  // halfway: the earlier one
  EXPECT_EQ(CurrentPage(513, 2048, 1024, 0, 0, 768).col, 1);
  const ViewPage oneByOne = CurrentPage(-5, 0, 1024, 99999, 0, 0);
  EXPECT_TRUE(oneByOne.col == 0 && oneByOne.row == 0 && oneByOne.cols == 1 && oneByOne.rows == 1);
}

TEST(Follow, JumpOnlyStrictlyInsideAndForMaximisedOffTheView) {
  EXPECT_TRUE(JumpInRange(1, 1, 2048, 1536));
  EXPECT_FALSE(JumpInRange(0, 700, 2048, 1536));
  EXPECT_FALSE(JumpInRange(700, 1536, 2048, 1536));
  const Rect small = {10, 10, 300, 200};
  auto decide = [](const std::string& title, bool maximised, const Rect& r, bool moveAuto) {
    return DecideFollow(false, title, "Editor", maximised, r, {{{0, 0, 1024, 768}, true}},
                        moveAuto);
  };
  EXPECT_FALSE(decide("Editor", true, {2000, 2000, 3000, 3000}, true).record);
  EXPECT_TRUE(decide("A", false, small, false).record);
  EXPECT_FALSE(decide("A", true, {0, 19, 1024, 768}, false).jump);  // maximised on the view
  EXPECT_TRUE(decide("A", true, {1024, 19, 2048, 768}, false).jump);
  EXPECT_TRUE(decide("A", false, small, true).jump);
}

TEST(Bars, PlacementControlAndZOrder) {
  const Rect bottomTaskbar = {0, 772, 1280, 800};
  EXPECT_EQ(ClipToTaskbar({1256, 0, 1280, 800}, bottomTaskbar, {0, 0, 1280, 800}).bottom, 772);
  // Granted less than the thickness: the strip on the edge all the same.
  EXPECT_EQ(FitBarToEdge({1000, 0, 1000, 744}, false, 24, {0, 0, 1024, 768}).right, 1024);
  // Granted its thickness, beside another bar: it stays there.
  EXPECT_EQ(FitBarToEdge({976, 0, 1000, 744}, false, 24, {0, 0, 1024, 768}).right, 1000);
  EXPECT_EQ(FitBarToEdge({0, 700, 1000, 724}, true, 24, {0, 0, 1024, 768}).bottom, 724);
  EXPECT_EQ(ControlLength(1024, 993), 991);
  EXPECT_EQ(ControlLength(976, 1018), 976);
  // A taskbar always on top takes the bars along; one that is not sends
  // them down, but a full-screen program closing leaves them be.
  const unsigned onTop = kTaskbarOnTop | 1, below = 1;
  EXPECT_EQ(BarZOrderFor(kStateChange, onTop, false), BarZOrder::kTopmost);
  EXPECT_EQ(BarZOrderFor(kStateChange, below, false), BarZOrder::kBottom);
  EXPECT_EQ(BarZOrderFor(kFullScreenApp, below, true), BarZOrder::kBottom);
  EXPECT_EQ(BarZOrderFor(kFullScreenApp, below, false), BarZOrder::kKeep);
  EXPECT_EQ(BarZOrderFor(1, onTop, true), BarZOrder::kKeep);  // a position change
}

TEST(PendingMoves, LateMovesStayOnTheirWayRefusedOrMovedOnesGo) {
  using P = PendingMoves::Point;
  PendingMoves pending;
  P at = {0, 0};
  bool exists = true, answers = true;
  int asked = 0;
  auto settle = [&](std::uint32_t now, bool ask = true) {
    pending.Settle(
        now, ask, [&](std::uintptr_t) { return PendingMoves::Look{exists, at}; },
        [&](std::uintptr_t) { return ++asked, answers; });
    return pending.Size();
  };
  // Two requests taken late: the window may stand at either earlier place.
  pending.Request(1, {0, 0}, {-1024, 0}, 0);
  pending.Request(1, {0, 0}, {-2048, 0}, 1000);
  EXPECT_EQ(pending.Base(1, {0, 0}).x, -2048);
  EXPECT_EQ(pending.Base(1, {-1024, 0}).x, -2048);
  // Left where it was while its thread answers: refused once the time is up,
  // counted from the last request and from the last tick without an answer.
  at = {-1024, 0};
  EXPECT_EQ(settle(10999), 1u);
  answers = false;
  EXPECT_EQ(settle(0xFFFFF000u), 1u);
  answers = true;
  EXPECT_EQ(settle(0x1000), 1u);  // 8 s across the wrap of the tick count
  EXPECT_EQ(settle(0x3000), 0u);
  // Put elsewhere: gone at the next tick, or at once for a scroll, which
  // then starts from there; a destroyed window goes without asking anyone.
  pending.Request(2, {0, 0}, {-1024, 0}, 0);
  at = {5, 5};
  asked = 0;
  EXPECT_EQ(settle(1, false), 1u);
  EXPECT_EQ(asked, 0);
  EXPECT_EQ(settle(1), 0u);
  pending.Request(3, {0, 0}, {-1024, 0}, 0);
  EXPECT_EQ(pending.Base(3, {5, 5}).x, 5);
  EXPECT_FALSE(pending.Contains(3));
  pending.Request(4, {0, 0}, {-1024, 0}, 0);
  exists = false;
  EXPECT_EQ(settle(1, false), 0u);
  // However many requests, the first place stays one it may stand at, and
  // the table holds one entry a window.
  for (int i = 1; i <= 40; ++i) pending.Request(5, {0, 0}, {i, 0}, 0);
  EXPECT_EQ(pending.Base(5, {0, 0}).x, 40);
  EXPECT_EQ(pending.Base(5, {39, 0}).x, 40);
  EXPECT_EQ(pending.Base(5, {2, 0}).x, 2);
  EXPECT_EQ(pending.Size(), 0u);
}

TEST(Monitors, OnePageBoundsThemAndEachBarTakesAnOuterEdge) {
  const Monitor primary = {{0, 0, 1920, 1080}, true};
  // A smaller monitor to the right, aligned at the bottom; one to the left
  // (negative coordinates), aligned at the top; one below.
  const std::vector<Monitor> right = {primary, {{1920, 56, 3200, 1080}, false}};
  const std::vector<Monitor> left = {{{-1280, 0, 0, 1024}, false}, primary};
  const std::vector<Monitor> below = {primary, {{0, 1080, 1920, 2160}, false}};
  const Rect page = PageOf(left);
  EXPECT_TRUE(page.left == -1280 && page.top == 0 && page.right == 1920 && page.bottom == 1080);
  EXPECT_EQ(BarMonitor(right, true), 0);  // both bottoms: the primary's
  EXPECT_EQ(BarMonitor(right, false), 1);
  EXPECT_EQ(BarMonitor(left, true), 1);
  EXPECT_EQ(BarMonitor(left, false), 1);
  EXPECT_EQ(BarMonitor(below, true), 1);
  EXPECT_EQ(BarMonitor(below, false), 0);
  EXPECT_EQ(BarMonitor({}, true), -1);
  const Rect strip = BarStrip(left[0].area, false, 36);
  EXPECT_TRUE(strip.left == -36 && strip.right == 0 && strip.bottom == 1024);
  // A maximised browser on the second monitor is on the view; a window in
  // the corner no monitor shows is not.
  auto jumps = [](const std::vector<Monitor>& monitors, const Rect& client) {
    return DecideFollow(false, "Browser", "", true, client, monitors, false).jump;
  };
  EXPECT_FALSE(jumps(right, {1920, 79, 3200, 1080}));
  EXPECT_TRUE(jumps({primary}, {1920, 79, 3200, 1080}));
  EXPECT_FALSE(jumps(left, {-1280, 23, 0, 1024}));
  EXPECT_TRUE(jumps(left, {-1280, 1024, -200, 1080}));
  // Taskbar and thickness on a monitor left of the primary.
  EXPECT_EQ(ClipToTaskbar({-36, 0, 0, 1024}, {-1280, 984, 0, 1024}, left[0].area).bottom, 984);
  EXPECT_EQ(FitBarToEdge({-10, 0, -10, 0}, false, 36, left[0].area).left, -36);
  EXPECT_EQ(FitBarToEdge({0, 0, 0, 0}, true, 36, left[0].area).top, 988);
  EXPECT_TRUE(ScaleToDpi(24, 144) == 36 && ScaleToDpi(20, 120) == 25 && ScaleToDpi(24, 0) == 24);
}

TEST(ViewKeys, StoredKeysGatherAndPinnedPrograms) {
  // Stored keys: modifiers in the high word; anything else is no key.
  EXPECT_EQ(ValueFromHotKey(DefaultViewKey(kViewKeyLeft)), 0x000B0025u);
  EXPECT_EQ(HotKeyFromValue(0x000B0050u).key, 'P');
  for (std::uint32_t bad : {0x00100025u, 0x000B00FFu, 0x000B0000u, 0xFFFFFFFFu})
    EXPECT_EQ(HotKeyFromValue(bad).key, 0u) << bad;
  EXPECT_EQ(DefaultViewKey(kViewKeyCount).key, 0u);
  // Programs by file name, walked by characters: only ASCII letters fold.
  const std::vector<std::u16string> names =
      SplitProgramNames(u" Clock.exe ||player.EXE|ソフト.exe|ポ.exe|アプリ.exe");
  ASSERT_EQ(names.size(), 5u);  // "ポ" (0x83 0x7C in Shift-JIS) splits nothing
  EXPECT_TRUE(IsProgramIn(u"C:\\Tools\\clock.exe", names));
  EXPECT_TRUE(IsProgramIn(u"\\Device\\HarddiskVolume2\\Apps\\PLAYER.exe", names));
  EXPECT_TRUE(IsProgramIn(u"C:\\ツール\\ソフト.exe", names));  // "ソ" ends in 0x5C there
  EXPECT_FALSE(IsProgramIn(u"C:\\ヂプリ.exe", names));  // 0x83 0x61 against "ア"'s 0x83 0x41
  EXPECT_FALSE(IsProgramIn(u"C:\\Tools\\clock.exe.bak", names));
  EXPECT_FALSE(IsProgramIn(u"", names));
  EXPECT_FALSE(IsProgramIn(u"C:\\Ä.exe", SplitProgramNames(u"ä.exe")));
}

// One screen: what the user can see, and where a window goes to be seen.
TEST(Screen, BarsAreOffTheScreenAndWindowsComeOntoItByPagesOrToTheNearestPlace) {
  const Monitor primary = {{0, 0, 1024, 768}, true};
  // Wine's shell leaves the work area whole: the bars are taken out here.
  const Screen one = {{primary}, {{1000, 0, 1024, 768}, {0, 744, 1000, 768}}};
  const Rect usable = UsableArea(primary, one.bars);
  EXPECT_TRUE(usable.left == 0 && usable.top == 0 && usable.right == 1000 && usable.bottom == 744);
  EXPECT_FALSE(OnScreen({1000, 100, 1300, 300}, one));  // under the vertical bar
  EXPECT_TRUE(OnScreen({-200, 700, 20, 900}, one));     // partly on it
  // A work area the shell shrank for its taskbar counts as it is.
  EXPECT_FALSE(OnScreen({0, 730, 300, 744}, {{{{0, 0, 1024, 768}, true, {0, 0, 1024, 730}}}, {}}));
  // A 5 x 3 virtual screen whose view stands on its second page across and first down.
  const Rect page = {0, 0, 1024, 768}, space = {-1024, 0, 4096, 2304};
  auto place = [&](const Rect& w) { return PlaceOnScreen(w, one, page, space); };
  EXPECT_EQ(place({990, 700, 1300, 900}).x, 990);  // meets the screen: stays
  const Point twoRight = place({2048 + 30, 768 + 40, 2048 + 330, 768 + 240});
  EXPECT_TRUE(twoRight.x == 30 && twoRight.y == 40);
  const Point left = place({-1024 + 5, 10, -1024 + 105, 110});
  EXPECT_TRUE(left.x == 5 && left.y == 10);
  const Point beyond = place({9000, -5000, 9300, -4800});  // left there by a crash
  EXPECT_TRUE(beyond.x == 1000 - 300 && beyond.y == 0);    // clear of the bar
  EXPECT_EQ(place({-20000, 100, -17000, 300}).x, 0);      // wider than the screen: its left edge
  // A page under the vertical bar: by the page, then clear of the bar.
  const Point underBar = place({1024 + 1010, 100, 1024 + 1020, 150});
  EXPECT_TRUE(underBar.x == 990 && underBar.y == 100);

  // An L: a shorter monitor to the right leaves a gap no monitor shows.
  const Screen ell = {{primary, {{1024, 0, 2048, 512}, false}},
                      {{2024, 0, 2048, 512}, {0, 744, 1024, 768}}};
  const Rect wide = PageOf(ell.monitors), wideSpace = {-2048, 0, 4096, 2304};
  EXPECT_FALSE(OnScreen({1100, 600, 1300, 700}, ell));
  const Point fromGap = PlaceOnScreen({1100, 600, 1300, 700}, ell, wide, wideSpace);
  EXPECT_TRUE(fromGap.x == 1100 && fromGap.y == 412);  // the nearer monitor, the right one
  const Point intoGap = PlaceOnScreen({2048 + 1100, 768 + 600, 2048 + 1300, 768 + 700}, ell, wide,
                                      wideSpace);  // a whole page back lands in the gap
  EXPECT_TRUE(intoGap.x == 1100 && intoGap.y == 412);
  EXPECT_EQ(MonitorOf({1500, 100, 1600, 200}, ell.monitors), 1);
  EXPECT_EQ(MonitorOf({900, 100, 1300, 200}, ell.monitors), 1);  // more of it on the right
  EXPECT_EQ(MonitorOf({5000, 5000, 5100, 5100}, {ell.monitors[1], primary}), 1);  // none: the primary
}

TEST(Screen, TheViewHoldsProgramsWindowsAndScrollsMoveHiddenOnesToo) {
  WindowFacts editor;
  editor.titled = editor.visible = true;
  EXPECT_TRUE(OfTheView(editor) && MovedByScroll(editor));
  WindowFacts w = editor;
  w.visible = false;  // hidden: moved along, not shown
  EXPECT_TRUE(MovedByScroll(w) && !OfTheView(w));
  for (bool WindowFacts::*fact : {&WindowFacts::shellDesktop, &WindowFacts::cloaked, &WindowFacts::ours}) {
    w = editor;
    w.*fact = true;
    EXPECT_FALSE(OfTheView(w));
  }
  w = editor;
  w.minimised = true;
  EXPECT_FALSE(MovedByScroll(w) || OfTheView(w));
  w = editor;
  w.titled = false;
  EXPECT_FALSE(MovedByScroll(w) || OfTheView(w));
  EXPECT_TRUE(IsShellDesktopClass("progman") && IsShellDesktopClass("WorkerW"));
  EXPECT_FALSE(IsShellDesktopClass("WorkerWx") || IsShellDesktopClass("Progma"));
  // Japanese needs both the Japanese interface language and code page 932.
  EXPECT_TRUE(JapaneseInterface(kLangJapanese, 932));
  EXPECT_FALSE(JapaneseInterface(kLangJapanese, 1252) || JapaneseInterface(0x09, 932));
}

TEST(EdgePush, OuterEdgesWithoutBarsPushAfterTheRestingTime) {
  const std::vector<Monitor> two = {{{0, 0, 1024, 768}, true}, {{1024, 0, 2048, 768}, false}};
  // The bars stand at the bottom and right; the taskbar at the bottom.
  const std::vector<Rect> docked = {{2024, 0, 2048, 768}, {0, 744, 2024, 768}, {0, 740, 1024, 768}};
  EXPECT_EQ(PushEdgeAt({0, 300}, two, docked), Edge::kLeft);
  EXPECT_EQ(PushEdgeAt({1500, 0}, two, docked), Edge::kTop);
  EXPECT_EQ(PushEdgeAt({1023, 300}, two, docked), Edge::kNone);  // between the monitors
  EXPECT_EQ(PushEdgeAt({2047, 300}, two, docked), Edge::kNone);  // the vertical bar's edge
  EXPECT_EQ(PushEdgeAt({500, 767}, two, docked), Edge::kNone);   // the taskbar's
  EXPECT_EQ(PushEdgeAt({2047, 300}, two, {}), Edge::kRight);
  EXPECT_EQ(PushEdgeAt({1500, 767}, two, {}), Edge::kBottom);
  EXPECT_EQ(PushEdgeAt({0, 7}, two, docked), Edge::kNone);  // the corner's 8 pixels
  EXPECT_EQ(PushEdgeAt({0, 8}, two, docked), Edge::kLeft);
  EXPECT_EQ(PushEdgeAt({1, 300}, two, docked), Edge::kNone);
  // A monitor above part of the primary: the primary's top is outer only
  // where none is above it.
  const std::vector<Monitor> stacked = {{{0, 0, 1024, 768}, true}, {{0, -600, 800, 0}, false}};
  EXPECT_EQ(PushEdgeAt({500, 0}, stacked, {}), Edge::kNone);
  EXPECT_EQ(PushEdgeAt({900, 0}, stacked, {}), Edge::kTop);
  // Looked at often only near an edge or a bar.
  EXPECT_TRUE(NearAnEdge({40, 300}, two, docked, 48) && NearAnEdge({1990, 300}, two, docked, 48));
  EXPECT_FALSE(NearAnEdge({500, 300}, two, docked, 48) || NearAnEdge({1100, 300}, two, {}, 48));
  EXPECT_EQ(EdgeOfBar({2024, 0, 2048, 768}), Edge::kRight);
  EXPECT_EQ(EdgeOfBar({0, 744, 2024, 768}), Edge::kBottom);
  // Resting: the time runs while the pointer slides along one edge; a push
  // needs the whole time again, and leaving starts it anew.
  EdgeDwell dwell;
  EXPECT_EQ(dwell.Look(0xFFFFFF00u, Edge::kLeft, 300), Edge::kNone);
  EXPECT_EQ(dwell.Look(0xFFFFFF00u + 299, Edge::kLeft, 300), Edge::kNone);
  EXPECT_EQ(dwell.Look(0xFFFFFF00u + 300, Edge::kLeft, 300), Edge::kLeft);  // across the wrap
  EXPECT_EQ(dwell.Look(0xFFFFFF00u + 500, Edge::kLeft, 300), Edge::kNone);
  EXPECT_EQ(dwell.Look(0xFFFFFF00u + 600, Edge::kLeft, 300), Edge::kLeft);
  EXPECT_EQ(dwell.Look(0xFFFFFF00u + 650, Edge::kNone, 300), Edge::kNone);
  EXPECT_EQ(dwell.Look(0xFFFFFF00u + 700, Edge::kTop, 300), Edge::kNone);
  EXPECT_EQ(dwell.Look(0xFFFFFF00u + 950, Edge::kTop, 300), Edge::kNone);
  EXPECT_EQ(dwell.Look(0xFFFFFF00u + 1000, Edge::kTop, 0), Edge::kNone);  // off
  EXPECT_TRUE(FillsMonitor({-8, -8, 1032, 776}, two) && !FillsMonitor({0, 0, 1024, 740}, two));
}

TEST(ViewKeys, AKeyGivenTwiceIsTheFirstsAndAHeldKeyPressesOnce) {
  const HotKey right = {kModWin | kModControl | kModAlt, 0x27};
  // "Up" and "pin" were given "right"'s key; home and the overview have none.
  const HotKey keys[kViewKeyCount] = {{kModControl | kModAlt, 0x27}, right, right, {kModWin | kModControl, 0x27},
                                      {kModShift, 0}, {kModShift, 0}, right};
  std::string first, twice;
  for (int c = 0; c < kViewKeyCount; ++c) {
    first += FirstWithKey(keys, c) ? '1' : '.';
    twice += KeyGivenTwice(keys, c) ? '2' : '.';
  }
  EXPECT_EQ(first, "11.111.");  // the same key only with the same modifiers
  EXPECT_EQ(twice, ".22...2");  // no key twice is no key given twice
  EXPECT_FALSE(FirstWithKey(keys, -1) || KeyGivenTwice(keys, kViewKeyCount));
  // Held through its repeats, a key presses once; seen up, it presses anew.
  // A message whose key is already up is a press that holds nothing.
  HeldKeys held;
  std::string taken;
  auto take = [&](int command, bool down) { taken += held.Take(command, down) ? 'T' : '-'; };
  take(kViewKeyRight, true);
  take(kViewKeyRight, true);
  take(kViewKeyLeft, true);  // another key, held at the same time
  take(kViewKeyRight, true);
  held.Seen(kViewKeyRight, true);
  take(kViewKeyRight, true);
  held.Seen(kViewKeyRight, false);
  EXPECT_TRUE(held.AnyHeld() && !held.Held(kViewKeyRight));
  take(kViewKeyRight, true);
  take(kViewKeyLeft, false);  // up at its repeat: let go meanwhile
  take(kViewKeyLeft, true);
  take(kViewKeyHome, false);
  take(kViewKeyHome, false);
  take(kViewKeyCount, true);
  EXPECT_EQ(taken, "T-T--TTTTT-");
  held.Clear();
  EXPECT_FALSE(held.AnyHeld());
}
