#include "core/settings_sheet.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(SettingsSheet, SpinArrowsStepByTheProposalWithAFloorOfOne) {
  EXPECT_EQ(core::SpinStep(3, -1), 4);  // up arrow
  EXPECT_EQ(core::SpinStep(3, +1), 2);  // down arrow
  EXPECT_EQ(core::SpinStep(INT_MAX, -1), INT_MAX);
}

TEST(SettingsSheet, EditTextIsAWholeNumberOrZero) {
  EXPECT_EQ(core::EditInteger("  +42 "), 42);
  EXPECT_EQ(core::EditInteger("-2147483648"), INT_MIN);
  for (const char* zero : {"", "3x", "-", "1 2", "3.0", "2147483648", "\x82\x52"})
    EXPECT_EQ(core::EditInteger(zero), 0) << zero;
}

TEST(SettingsSheet, ScreenCountsStayWithinWhatTheScrollBarsCarry) {
  EXPECT_EQ(core::ClampScreenCount(-3, 1280), 1);
  EXPECT_EQ(core::ClampScreenCount(27, 1280), 26);  // 26 end at 32000
}

}  // namespace
