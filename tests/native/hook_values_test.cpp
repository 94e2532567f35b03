#include "core/hook_values.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace core;

namespace {

// The whole entry for a value's bytes, over stale content.
std::string Decoded(const std::string& bytes) {
  HotKeyEntry entry;
  std::memset(entry.bytes, 0xEE, sizeof(entry.bytes));
  DecodeHotKeyValue(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), entry);
  return std::string(reinterpret_cast<const char*>(entry.bytes), sizeof(entry.bytes));
}

TEST(HotKeyValue, KeypadDigitsAndShiftJisArrowsBecomeKeyCodesInTheirColumn) {
  std::string keys;
  for (const char* text : {"C    A   Z", "c        7", "C        0N", "C        9N", "C        AN",
                           "C        7n", "C   \x81\xA8", "C    A   \x81\xA8", "C    A   \x81\xA9",
                           "C    A   \x81\xAA", "C    A   \x81\xAB", "C    A   \x81\xA7",
                           "C    A   \x82\xA8", "C    A   \x81"})
    keys += std::to_string(static_cast<unsigned char>(Decoded(text)[9])) + ' ';
  // Z, 7, keypad 0 and 9, A, 7, none, right, left, up, down, then the bytes as they are.
  EXPECT_EQ(keys, "90 55 96 105 65 55 0 39 37 38 40 129 130 129 ");
}

TEST(HotKeyValue, AtMost31CharactersAreKeptAndLongerValuesGiveNothing) {
  const std::string longest = "C    A   X" + std::string(21, 'y'), zeros(32, '\0');
  EXPECT_EQ(Decoded(longest + '\0'), longest + '\0');
  EXPECT_EQ(Decoded(longest + 'z'), longest + '\0');  // 32 bytes without a NUL
  EXPECT_EQ(Decoded(std::string("C    A   X\0N", 12)), "C    A   X" + zeros.substr(10));
  EXPECT_EQ(Decoded(longest + "zz"), zeros);  // more than the buffer holds
  EXPECT_EQ(Decoded(""), zeros);
}

TEST(OptionAndIconValues, LowByteOfAtMostFourAndFirstByteOfAtMost32) {
  const unsigned char on[] = {1, 0, 0, 0}, off[] = {0, 1, 0, 0}, qword[8] = {1};
  EXPECT_TRUE(KeyOptionFromValue(on, 4) && KeyOptionFromValue(on, 1));
  EXPECT_FALSE(KeyOptionFromValue(off, 4) || KeyOptionFromValue(qword, 8));
  EXPECT_FALSE(KeyOptionFromValue(on, 0) || KeyOptionFromValue(nullptr, 4));
  std::string views;
  const std::string values[] = {"Large", "S", "L" + std::string(31, 'x'), "large", " Small", "",
                                "S" + std::string(32, 'x')};
  for (const std::string& value : values)
    views += std::to_string(static_cast<int>(IconViewFromValue(
        reinterpret_cast<const unsigned char*>(value.data()), value.size())));
  EXPECT_EQ(views, "1210000");  // large 1, small 2, unchanged 0
  std::uint32_t style = 0xDEADBEEF;
  EXPECT_FALSE(StyleForIconView(0x50000900u, IconView::kLarge, style));
  EXPECT_FALSE(StyleForIconView(0x50000903u, IconView::kUnchanged, style));
  EXPECT_TRUE(StyleForIconView(0xFFFFFFFFu, IconView::kSmall, style));
  EXPECT_EQ(style, 0xFFFFFFFEu);  // written only when the view bits differ, and only they
}

}  // namespace
