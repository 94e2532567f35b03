#include "core/settings_rules.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

using namespace core;

TEST(SettingsRules, FlagsAreZeroOrOne) {
  EXPECT_EQ(NormaliseFlag(0), 0);
  EXPECT_EQ(NormaliseFlag(1), 1);
  EXPECT_EQ(NormaliseFlag(5), 1);
  EXPECT_EQ(NormaliseFlag(-1), 1);
  EXPECT_EQ(NormaliseFlag(INT_MIN), 1);
}

TEST(SettingsRules, WallPaperTimerIsAtLeastAMinuteAndNeverWraps) {
  EXPECT_EQ(WallPaperTimerPeriod(0), 60000u);
  EXPECT_EQ(WallPaperTimerPeriod(-5), 60000u);
  EXPECT_EQ(WallPaperTimerPeriod(INT_MIN), 60000u);
  EXPECT_EQ(WallPaperTimerPeriod(1), 60000u);
  EXPECT_EQ(WallPaperTimerPeriod(10), 600000u);
  // 35791 minutes is the last that fits below 2^31 ms; beyond it the period
  // stays at the longest a timer can have instead of wrapping to a short one.
  EXPECT_EQ(WallPaperTimerPeriod(35791), 35791u * 60000u);
  EXPECT_EQ(WallPaperTimerPeriod(35792), kMaxTimerPeriod);
  EXPECT_EQ(WallPaperTimerPeriod(71583), kMaxTimerPeriod);  // would wrap to 19 ms in 32 bits
  EXPECT_EQ(WallPaperTimerPeriod(INT_MAX), kMaxTimerPeriod);
}

TEST(SettingsRules, IntegersAreTheRawBitsOfShortValues) {
  const unsigned char dword[] = {0x78, 0x56, 0x34, 0x12};
  EXPECT_EQ(IntFromValueBytes(dword, 4, 7), 0x12345678);
  const unsigned char minusOne[] = {0xFF, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ(IntFromValueBytes(minusOne, 4, 7), -1);
  // A REG_SZ "5" is two bytes: '5' and its NUL.
  const unsigned char text[] = {'5', 0};
  EXPECT_EQ(IntFromValueBytes(text, 2, 7), 0x35);
  const unsigned char three[] = {1, 2, 3};
  EXPECT_EQ(IntFromValueBytes(three, 3, 7), 0x030201);
  EXPECT_EQ(IntFromValueBytes(dword, 0, 7), 0);
  const unsigned char qword[] = {1, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(IntFromValueBytes(qword, 8, 7), 7);
  EXPECT_EQ(IntFromValueBytes(qword, 5, 7), 7);
  EXPECT_EQ(IntFromValueBytes(nullptr, 4, 7), 7);
}

TEST(SettingsRules, StringsStopAtTheirNulOrTheirEnd) {
  const unsigned char terminated[] = {'a', 'b', 0};
  EXPECT_EQ(StringFromValueBytes(terminated, 3), "ab");
  const unsigned char bare[] = {'a', 'b', 'c'};
  EXPECT_EQ(StringFromValueBytes(bare, 3), "abc");
  const unsigned char inner[] = {'a', 0, 'b', 0};
  EXPECT_EQ(StringFromValueBytes(inner, 4), "a");
  EXPECT_EQ(StringFromValueBytes(terminated, 0), "");
  EXPECT_EQ(StringFromValueBytes(nullptr, 5), "");
  // Shift-JIS bytes pass untouched, a trailing 0x5C included.
  const unsigned char sjis[] = {0x95, 0x5C, 0x8E, 0xA6};  // "表示"
  EXPECT_EQ(StringFromValueBytes(sjis, 4), std::string("\x95\x5C\x8E\xA6"));
  std::vector<unsigned char> big(100000, 'x');
  EXPECT_EQ(StringFromValueBytes(big.data(), big.size()).size(), 100000u);
}
