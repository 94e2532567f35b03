#include "core/grouping.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

using namespace core;

namespace {

std::string Blanks(std::size_t count) { return std::string(count, ' '); }

}  // namespace

TEST(GroupDigits, FifteenCharactersUpToTwelveDigits) {
  EXPECT_EQ(GroupDigits(0), Blanks(14) + "0");
  EXPECT_EQ(GroupDigits(7), Blanks(14) + "7");
  EXPECT_EQ(GroupDigits(999), Blanks(12) + "999");
  EXPECT_EQ(GroupDigits(1000), Blanks(10) + "1,000");
  EXPECT_EQ(GroupDigits(1024), Blanks(10) + "1,024");
  EXPECT_EQ(GroupDigits(100000), Blanks(8) + "100,000");
  EXPECT_EQ(GroupDigits(1000000), Blanks(6) + "1,000,000");
  EXPECT_EQ(GroupDigits(1234567890), Blanks(2) + "1,234,567,890");
  EXPECT_EQ(GroupDigits(INT64_C(2147483648)), Blanks(2) + "2,147,483,648");  // past 32 bits
  EXPECT_EQ(GroupDigits(INT64_C(99999999999)), " 99,999,999,999");
  EXPECT_EQ(GroupDigits(INT64_C(123456789012)), "123,456,789,012");
  EXPECT_EQ(GroupDigits(INT64_C(999999999999)), "999,999,999,999");
}

TEST(GroupDigits, LongerValuesWidenAndKeepTheirCommas) {
  EXPECT_EQ(GroupDigits(INT64_C(1000000000000)), "1,000,000,000,000");
  // A 64-bit process's address space: 128 TB.
  EXPECT_EQ(GroupDigits(INT64_C(140737488355328)), "140,737,488,355,328");
  EXPECT_EQ(GroupDigits(std::numeric_limits<std::int64_t>::max()),
            "9,223,372,036,854,775,807");
  EXPECT_EQ(GroupByteCount(std::numeric_limits<std::uint64_t>::max()),
            "18,446,744,073,709,551,615");
  EXPECT_EQ(GroupByteCount(UINT64_C(4294967296)), Blanks(2) + "4,294,967,296");
  EXPECT_EQ(GroupByteCount(0), Blanks(14) + "0");
}

TEST(GroupDigits, NegativeValuesCarryTheSignBeforeTheFirstDigit) {
  // Never a comma between the sign and a digit.
  EXPECT_EQ(GroupDigits(-1), Blanks(13) + "-1");
  EXPECT_EQ(GroupDigits(-100), Blanks(11) + "-100");
  EXPECT_EQ(GroupDigits(-999), Blanks(11) + "-999");
  EXPECT_EQ(GroupDigits(-1000), Blanks(9) + "-1,000");
  EXPECT_EQ(GroupDigits(-100000), Blanks(7) + "-100,000");
  EXPECT_EQ(GroupDigits(-2147483647 - 1), Blanks(1) + "-2,147,483,648");
  EXPECT_EQ(GroupDigits(INT64_C(-12345678901)), "-12,345,678,901");
  EXPECT_EQ(GroupDigits(INT64_C(-123456789012)), "-123,456,789,012");
  EXPECT_EQ(GroupDigits(std::numeric_limits<std::int64_t>::min()),
            "-9,223,372,036,854,775,808");
}
