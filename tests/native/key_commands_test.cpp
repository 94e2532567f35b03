#include "core/key_commands.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace core {
namespace {

HotKeyEntry Entry(const std::string& text) {
  HotKeyEntry entry;
  DecodeHotKeyValue(reinterpret_cast<const unsigned char*>(text.c_str()), text.size() + 1, entry);
  return entry;
}

TEST(CommandMatches, BothColumnsAgreeWithBothKeysAndTheKeyIsSet) {
  // Which of Ctrl+Alt, Ctrl, Alt and lower-case entries match with Ctrl and
  // Alt down, Ctrl only, Alt only, neither.
  std::string got;
  for (int keys : {3, 1, 2, 0}) {
    for (const char* text : {"C    A   Z", "C        Z", "     A   Z", "c    a   Z"})
      got += CommandMatches(Entry(text), 'Z', keys & 1, keys & 2) ? '1' : '0';
    got += ' ';
  }
  EXPECT_EQ(got, "1000 0100 0010 0000 ");
  EXPECT_FALSE(CommandMatches(Entry("C    A   Z"), 'Y', true, true));
  EXPECT_FALSE(CommandMatches(Entry("C    A   "), 0, true, true));  // no key column
  EXPECT_FALSE(CommandMatches(Entry("C    A   Z"), kConsumedKey, true, true));
}

TEST(CommandTarget, EveryCommandFromOnePointWithHeldKeyStepsAndWithoutClamping) {
  std::int32_t counter = kStepCounterStart;
  std::string steps;
  for (int press = 1; press <= 20; ++press) {
    counter = NextStepCounter(counter, press % 2 ? kWmKeyDown : kWmSysKeyDown);
    steps += std::to_string(SlowStep(counter));
  }
  EXPECT_EQ(steps, "11111111122222222223");
  EXPECT_EQ(NextStepCounter(counter, 0x101), kStepCounterStart);
  EXPECT_EQ(NextStepCounter(INT32_MAX, kWmKeyDown), INT32_MAX);
  std::string got;
  for (int command = kMoveLeftSlow; command <= kLeftClick; ++command) {
    const Point p = CommandTarget(command, {100, 200}, 25, 1024, 768);
    got += std::to_string(p.x) + ',' + std::to_string(p.y) + ' ';
  }
  EXPECT_EQ(got, "98,200 102,200 100,198 100,202 80,200 120,200 100,180 100,220 512,384 "
                 "0,200 1014,200 100,0 100,758 0,0 1014,0 0,758 1014,758 100,200 100,200 100,200 ");
  EXPECT_EQ(CommandTarget(kMoveLeftFast, {5, 0}, 10, 1024, 768).x, -5);
  EXPECT_EQ(CommandTarget(kMoveRightFast, {INT32_MAX, 0}, 10, 1024, 768).x, INT32_MIN + 9);
}

TEST(CursorArithmetic, TaskbarBorderIsInsideAndAbsoluteCoordinatesAreTruncated) {
  EXPECT_FALSE(OutsideRect({1024, 740}, 1024, 768, 0, 740));
  EXPECT_TRUE(OutsideRect({500, 739}, 0, 740, 1024, 768));
  EXPECT_TRUE(OutsideRect({INT32_MAX, 750}, -100000, 740, 100000, 768));
  EXPECT_EQ(AbsoluteCoordinate(1023, 1024), 65535);
  EXPECT_EQ(AbsoluteCoordinate(-5, 1024), -320);  // -320.29
  EXPECT_EQ(AbsoluteCoordinate(10, 1), 0);
  EXPECT_EQ(AbsoluteCoordinate(INT32_MAX, 2), INT32_MAX);
}

// What the options do to Insert, Caps Lock, Convert, Non-convert, Hiragana,
// keypad 0, Return, Space and a consumed key, as key-downs, system key-downs
// and key-ups: "-" for nothing, else how the call goes on, the new wParam
// and any character posted.
std::string Effects(const bool (&flags)[kKeyOptionCount]) {
  std::string got;
  for (unsigned message : {kWmKeyDown, kWmSysKeyDown, 0x101u}) {
    for (std::uintptr_t key : {0x2D, 0x14, 0x1C, 0x1D, 0xF2, 0x60, 0x0D, 0x20, 0x200}) {
      const KeyOptionEffect e = ApplyKeyOptions(message, key, flags);
      got += e.then == KeyOptionEffect::kGoOn ? std::string("-")
                                              : std::to_string(e.then) + std::to_string(e.wParam);
      got += e.postChar ? std::string(1, e.postChar) + ' ' : " ";
    }
  }
  return got;
}

TEST(KeyOptions, EachRuleOnlyWithItsFlagKeyAndMessage) {
  const std::string none = "- - - - - - - - - ";
  // Key-downs, then system key-downs, with one flag on; key-ups never change.
  const std::string want[kKeyOptionCount] = {
      "23 - - - - - - - - " + none,        "- 23 - - - - - - - " + none,
      none + "- - - - - 23, - - - ", none + "- - - - - - 23= - - ",
      "- - 132 132 232 - - - - " + none};
  bool all[kKeyOptionCount] = {};
  for (int flag = 0; flag < kKeyOptionCount; ++flag) {
    bool only[kKeyOptionCount] = {};
    only[flag] = all[flag] = true;
    EXPECT_EQ(Effects(only), want[flag] + none) << flag;
  }
  EXPECT_EQ(Effects(all), "23 23 132 132 232 - - - - - - - - - 23, 23= - - " + none);
}

}  // namespace
}  // namespace core
