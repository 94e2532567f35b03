#include "core/settings_rules.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

using namespace core;

TEST(SettingsRules, WallPaperTimerIsAtLeastAMinuteAndNeverWraps) {
  EXPECT_EQ(WallPaperTimerPeriod(INT_MIN), 60000u);
  // 35791 minutes is the last that fits below 2^31 ms.
  EXPECT_EQ(WallPaperTimerPeriod(35791), 35791u * 60000u);
  EXPECT_EQ(WallPaperTimerPeriod(71583), kMaxTimerPeriod);  // would wrap to 19 ms in 32 bits
}

TEST(SettingsRules, ValuesFromRawRegistryBytes) {
  const unsigned char dword[] = {0x78, 0x56, 0x34, 0x12};
  EXPECT_EQ(IntFromValueBytes(dword, 4, 7), 0x12345678);
  const unsigned char qword[] = {1, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(IntFromValueBytes(qword, 8, 7), 7);
  const unsigned char inner[] = {'a', 0, 'b', 0};
  EXPECT_EQ(StringFromValueBytes(inner, 4), "a");
  const unsigned char bare[] = {0x95, 0x5C, 0x8E, 0xA6};  // "表示" stored without its NUL
  EXPECT_EQ(StringFromValueBytes(bare, 4), std::string("\x95\x5C\x8E\xA6"));
}
