#include "core/settings_sheet.h"

#include <gtest/gtest.h>

#include <climits>

#include "core/vscreen.h"

namespace {

TEST(SettingsSheet, SpinArrowsStepByTheProposalWithAFloorOfOne) {
  EXPECT_EQ(core::SpinStep(3, -1), 4);    // up arrow
  EXPECT_EQ(core::SpinStep(3, +1), 2);    // down arrow
  EXPECT_EQ(core::SpinStep(1, +1), 1);    // the floor holds
  EXPECT_EQ(core::SpinStep(0, -1), 1);    // a typed 0 comes up to 1
  EXPECT_EQ(core::SpinStep(0, +1), 1);    // and down stays at 1
  EXPECT_EQ(core::SpinStep(-7, +1), 1);
  EXPECT_EQ(core::SpinStep(10, -5), 15);  // held arrows propose larger steps
  EXPECT_EQ(core::SpinStep(10, +20), 1);
  int value = 3;
  for (int i = 0; i < 200; ++i) value = core::SpinStep(value, -1);
  EXPECT_EQ(value, 203);  // no ceiling short of the int range
  EXPECT_EQ(core::SpinStep(INT_MAX, -1), INT_MAX);
  EXPECT_EQ(core::SpinStep(INT_MIN, INT_MAX), 1);
  EXPECT_EQ(core::SpinStep(INT_MAX, INT_MIN), INT_MAX);
}

TEST(SettingsSheet, EditTextIsAWholeNumberOrZero) {
  EXPECT_EQ(core::EditInteger("3"), 3);
  EXPECT_EQ(core::EditInteger("-2"), -2);
  EXPECT_EQ(core::EditInteger("+12"), 12);
  EXPECT_EQ(core::EditInteger("  42 "), 42);
  EXPECT_EQ(core::EditInteger("2147483647"), INT_MAX);
  EXPECT_EQ(core::EditInteger("-2147483648"), INT_MIN);
  for (const char* zero : {"", " ", "3x", "x3", "-", "+", "1 2", "3.0", "2147483648",
                           "-2147483649", "99999999999999999999", "\x82\x52"})
    EXPECT_EQ(core::EditInteger(zero), 0) << zero;
}

TEST(SettingsSheet, ScreenCountsStayWithinWhatTheScrollBarsCarry) {
  EXPECT_EQ(core::ClampScreenCount(0, 1280), 1);
  EXPECT_EQ(core::ClampScreenCount(-3, 1280), 1);
  EXPECT_EQ(core::ClampScreenCount(3, 1280), 3);
  // 26 screens of 1280 end at 32000; 27 would end past 32767.
  EXPECT_EQ(core::ClampScreenCount(26, 1280), 26);
  EXPECT_EQ(core::ClampScreenCount(27, 1280), 26);
  EXPECT_EQ(core::ClampScreenCount(INT_MAX, 800), 41);
  for (int page : {1, 640, 768, 800, 1024, 1280, 32767, 40000}) {
    const int largest = core::ClampScreenCount(INT_MAX, page);
    EXPECT_LE(static_cast<long long>(largest - 1) * page, core::kMaxAxisExtent) << page;
    EXPECT_GT(static_cast<long long>(largest) * page, core::kMaxAxisExtent) << page;
    // The axis then reaches exactly (count - 1) pages, not a clipped end.
    EXPECT_EQ(core::AxisMaximum(page, largest), (largest - 1) * page) << page;
  }
  EXPECT_EQ(core::ClampScreenCount(1000, 0), 1000);  // no page size: only the floor
}

}  // namespace
