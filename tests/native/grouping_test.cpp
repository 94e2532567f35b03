#include "core/grouping.h"

#include <gtest/gtest.h>

#include <cstdint>

TEST(GroupDigits, RightAlignedInFifteenWithACommaBeforeEveryThirdDigit) {
  EXPECT_EQ(core::GroupDigits(INT64_C(2147483648)), "  2,147,483,648");  // past 32 bits
  EXPECT_EQ(core::GroupDigits(INT64_C(999999999999)), "999,999,999,999");
  EXPECT_EQ(core::GroupByteCount(UINT64_MAX), "18,446,744,073,709,551,615");  // wider
  // The sign stands before the first digit, never a comma between them.
  EXPECT_EQ(core::GroupDigits(-100000), "       -100,000");
  EXPECT_EQ(core::GroupDigits(INT64_MIN), "-9,223,372,036,854,775,808");
}
