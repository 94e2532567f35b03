#include "core/key_commands.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

namespace core {

static HotKeyEntry Entry(const std::string& text) {
  HotKeyEntry entry;
  DecodeHotKeyValue(reinterpret_cast<const unsigned char*>(text.c_str()), text.size() + 1, entry);
  return entry;
}

namespace {

TEST(CommandMatches, CtrlAndAltColumnsMustAgreeWithBothKeys) {
  const HotKeyEntry ctrlAlt = Entry("C    A   Z"), ctrlOnly = Entry("C        Z"),
                    altOnly = Entry("     A   Z"), neither = Entry("         Z"),
                    lower = Entry("c    a   Z");
  struct {
    bool ctrl, alt;
    bool ctrlAlt, ctrlOnly, altOnly;
  } cases[] = {
      {true, true, true, false, false},
      {true, false, false, true, false},
      {false, true, false, false, true},
      {false, false, false, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.ctrl) + std::to_string(c.alt));
    EXPECT_EQ(CommandMatches(ctrlAlt, 'Z', c.ctrl, c.alt), c.ctrlAlt);
    EXPECT_EQ(CommandMatches(ctrlOnly, 'Z', c.ctrl, c.alt), c.ctrlOnly);
    EXPECT_EQ(CommandMatches(altOnly, 'Z', c.ctrl, c.alt), c.altOnly);
    EXPECT_FALSE(CommandMatches(neither, 'Z', c.ctrl, c.alt));
    EXPECT_FALSE(CommandMatches(lower, 'Z', c.ctrl, c.alt));  // exact bytes only
    EXPECT_FALSE(CommandMatches(ctrlAlt, 'Y', c.ctrl, c.alt));
  }
  // Decoded keys: keypad digits and arrows.
  EXPECT_TRUE(CommandMatches(Entry("C        7N"), 0x67, true, false));
  EXPECT_FALSE(CommandMatches(Entry("C        7N"), '7', true, false));
  EXPECT_TRUE(CommandMatches(Entry("C    A   \x81\xA8"), 0x27, true, true));
}

TEST(CommandMatches, NoKeyNeverMatches) {
  // Shorter than ten characters: the key column is past the text.
  EXPECT_FALSE(CommandMatches(Entry("C    A   "), 0, true, true));
  EXPECT_FALSE(CommandMatches(Entry("C    A"), 0, true, true));
  EXPECT_FALSE(CommandMatches(Entry(""), 0, true, true));
  // The consumed marker is no key code.
  EXPECT_FALSE(CommandMatches(Entry("C    A   Z"), 0x200 + 'Z', true, true));
  EXPECT_FALSE(CommandMatches(Entry("C    A   Z"), kConsumedKey, true, true));
}

TEST(StepCounter, GrowsWithHeldKeyDownsAndResetsOnAnythingElse) {
  std::int32_t counter = kStepCounterStart;
  std::string steps;
  for (int press = 1; press <= 20; ++press) {
    counter = NextStepCounter(counter, press % 2 ? kWmKeyDown : kWmSysKeyDown);
    steps += std::to_string(SlowStep(counter));
  }
  EXPECT_EQ(steps, "11111111122222222223");  // 1st-9th: 1, 10th-19th: 2, 20th: 3
  EXPECT_EQ(counter, 30);
  EXPECT_EQ(FastStep(counter), 30);
  // The key-up (or any other message) starts again at one step.
  counter = NextStepCounter(counter, 0x101);
  EXPECT_EQ(counter, kStepCounterStart);
  EXPECT_EQ(SlowStep(counter), 1);
  EXPECT_EQ(FastStep(counter), 10);
  EXPECT_EQ(NextStepCounter(25, kWmMouseMove), kStepCounterStart);
  // Held for ever: no overflow.
  EXPECT_EQ(NextStepCounter(INT32_MAX, kWmKeyDown), INT32_MAX);
}

TEST(CommandTarget, MovesAndPlacesOnTheScreen) {
  const Point from = {100, 200};
  const std::int32_t w = 1024, h = 768;
  struct {
    int command;
    std::int32_t counter;
    Point want;
  } cases[] = {
      {kMoveLeftSlow, 10, {99, 200}},     {kMoveRightSlow, 29, {102, 200}},
      {kMoveUpSlow, 10, {100, 199}},      {kMoveDownSlow, 30, {100, 203}},
      {kMoveLeftFast, 10, {90, 200}},     {kMoveRightFast, 25, {120, 200}},
      {kMoveUpFast, 10, {100, 190}},      {kMoveDownFast, 10, {100, 210}},
      {kToCentre, 10, {512, 384}},        {kToLeftEdge, 10, {0, 200}},
      {kToRightEdge, 10, {1014, 200}},    {kToTopEdge, 10, {100, 0}},
      {kToBottomEdge, 10, {100, 758}},    {kToTopLeft, 10, {0, 0}},
      {kToTopRight, 10, {1014, 0}},       {kToBottomLeft, 10, {0, 758}},
      {kToBottomRight, 10, {1014, 758}},  {kLeftClick, 10, {100, 200}},
  };
  for (const auto& c : cases) {
    const Point p = CommandTarget(c.command, from, c.counter, w, h);
    EXPECT_EQ(p.x, c.want.x) << c.command;
    EXPECT_EQ(p.y, c.want.y) << c.command;
  }
  EXPECT_EQ(CommandTarget(kToCentre, from, 10, 1023, 767).x, 511);
  // Not clamped: moving right from the right edge goes on past the screen.
  Point p = CommandTarget(kToRightEdge, from, 10, w, h);
  for (int i = 0; i < 3; ++i) p = CommandTarget(kMoveRightFast, p, 10, w, h);
  EXPECT_EQ(p.x, 1044);
  p = CommandTarget(kMoveLeftFast, {5, 0}, 10, w, h);
  EXPECT_EQ(p.x, -5);
  // Far past the range of int: wraps, no undefined overflow.
  EXPECT_EQ(CommandTarget(kMoveRightFast, {INT32_MAX, 0}, 10, w, h).x, INT32_MIN + 9);
  EXPECT_EQ(InsideCorner(-3, 40).x, 2);
  EXPECT_EQ(InsideCorner(-3, 40).y, 45);
}

TEST(OutsideRect, TheBorderIsInside) {
  // A taskbar along the bottom of a 1024 x 768 screen.
  const std::int32_t l = 0, t = 740, r = 1024, b = 768;
  EXPECT_FALSE(OutsideRect({0, 740}, l, t, r, b));
  EXPECT_FALSE(OutsideRect({1024, 768}, l, t, r, b));
  EXPECT_FALSE(OutsideRect({500, 750}, l, t, r, b));
  EXPECT_TRUE(OutsideRect({500, 739}, l, t, r, b));
  EXPECT_TRUE(OutsideRect({-1, 750}, l, t, r, b));
  EXPECT_TRUE(OutsideRect({1025, 750}, l, t, r, b));
  EXPECT_TRUE(OutsideRect({500, 769}, l, t, r, b));
  // Corners given either way round.
  EXPECT_FALSE(OutsideRect({500, 750}, r, b, l, t));
  // Products that do not fit in 32 bits.
  EXPECT_TRUE(OutsideRect({INT32_MAX, 750}, -100000, t, 100000, b));
  EXPECT_FALSE(OutsideRect({0, 0}, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX));
}

TEST(AbsoluteCoordinate, SpansTheScreenAndGoesBeyond) {
  EXPECT_EQ(AbsoluteCoordinate(0, 1024), 0);
  EXPECT_EQ(AbsoluteCoordinate(1023, 1024), 65535);
  EXPECT_EQ(AbsoluteCoordinate(512, 1024), 32799);   // 32799.03: truncated
  EXPECT_EQ(AbsoluteCoordinate(1, 1024), 64);        // 64.06
  EXPECT_EQ(AbsoluteCoordinate(384, 768), 32810);    // 32810.04
  // Off the screen: beyond 0..65535, truncated toward zero.
  EXPECT_EQ(AbsoluteCoordinate(1044, 1024), 66880);  // 66880.30
  EXPECT_EQ(AbsoluteCoordinate(-1, 1024), -64);      // -64.06
  EXPECT_EQ(AbsoluteCoordinate(-5, 1024), -320);     // -320.29
  // Degenerate screens and far positions stay defined.
  EXPECT_EQ(AbsoluteCoordinate(10, 1), 0);
  EXPECT_EQ(AbsoluteCoordinate(10, 0), 0);
  EXPECT_EQ(AbsoluteCoordinate(INT32_MAX, 2), INT32_MAX);
  EXPECT_EQ(AbsoluteCoordinate(INT32_MIN, 2), INT32_MIN);
}

TEST(KeyOptions, EachRuleOnlyWithItsFlagKeyAndMessage) {
  constexpr unsigned kUp = 0x101, kSysUp = 0x105;
  bool all[kKeyOptionCount] = {true, true, true, true, true};
  bool none[kKeyOptionCount] = {};
  using E = KeyOptionEffect;
  struct {
    unsigned message;
    std::uintptr_t key;
    int flag;
    E::Then then;
    std::uintptr_t wParam;
    char post;
  } cases[] = {
      {kWmKeyDown, 0x2D, kNoInsertKey, E::kStop, 3, 0},
      {kWmKeyDown, 0x14, kNoCapsKey, E::kStop, 3, 0},
      {kWmKeyDown, 0x1C, kSpaceExKey, E::kSpace, 0x20, 0},
      {kWmKeyDown, 0x1D, kSpaceExKey, E::kSpace, 0x20, 0},
      {kWmKeyDown, 0xF2, kSpaceExKey, E::kStop, 0x20, 0},
      {kWmSysKeyDown, 0x60, kCommaExKey, E::kStop, 3, ','},
      {kWmSysKeyDown, 0x0D, kEqualExKey, E::kStop, 3, '='},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.key));
    E e = ApplyKeyOptions(c.message, c.key, all);
    EXPECT_EQ(e.then, c.then);
    EXPECT_EQ(e.wParam, c.wParam);
    EXPECT_EQ(e.postChar, c.post);
    // Only its own flag turns it on.
    bool only[kKeyOptionCount] = {};
    only[c.flag] = true;
    EXPECT_EQ(ApplyKeyOptions(c.message, c.key, only).then, c.then);
    bool allBut[kKeyOptionCount] = {true, true, true, true, true};
    allBut[c.flag] = false;
    EXPECT_EQ(ApplyKeyOptions(c.message, c.key, allBut).then, E::kGoOn);
    EXPECT_EQ(ApplyKeyOptions(c.message, c.key, none).then, E::kGoOn);
    // Key-ups, and key-downs of the other kind, pass.
    EXPECT_EQ(ApplyKeyOptions(kUp, c.key, all).then, E::kGoOn);
    EXPECT_EQ(ApplyKeyOptions(kSysUp, c.key, all).then, E::kGoOn);
    const unsigned other = c.message == kWmKeyDown ? kWmSysKeyDown : kWmKeyDown;
    EXPECT_EQ(ApplyKeyOptions(other, c.key, all).then, E::kGoOn);
  }
  // A consumed key and the replacement codes match no rule.
  for (std::uintptr_t key : {kConsumedKey, kSilencedKey, std::uintptr_t{0x20}}) {
    EXPECT_EQ(ApplyKeyOptions(kWmKeyDown, key, all).then, E::kGoOn);
    EXPECT_EQ(ApplyKeyOptions(kWmSysKeyDown, key, all).then, E::kGoOn);
  }
  // Codes that only agree in the low byte are other keys.
  EXPECT_EQ(ApplyKeyOptions(kWmKeyDown, 0x12D, all).then, E::kGoOn);
}


TEST(DefaultHotKeys, EveryCommandHasAKeyOfItsOwn) {
  for (int i = 0; i < kCommandCount; ++i) {
    const HotKeyEntry entry = Entry(kDefaultHotKeys[i]);
    ASSERT_NE(entry.Key(), 0) << i;
    EXPECT_TRUE(entry.WantsCtrl() || entry.WantsAlt()) << i;
    for (int j = 0; j < i; ++j) {
      const HotKeyEntry other = Entry(kDefaultHotKeys[j]);
      EXPECT_FALSE(other.Key() == entry.Key() && other.WantsCtrl() == entry.WantsCtrl() &&
                   other.WantsAlt() == entry.WantsAlt())
          << i << " and " << j << " share a combination";
    }
  }
  EXPECT_EQ(Entry(kDefaultHotKeys[kMoveRightSlow]).Key(), 0x27);  // →
  EXPECT_EQ(Entry(kDefaultHotKeys[kLeftClick]).Key(), 0x60);      // keypad 0
}

}  // namespace
}  // namespace core
