#include "core/hook_values.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace core;

namespace {

HotKeyEntry Decode(const std::string& bytes) {
  HotKeyEntry entry;
  std::memset(entry.bytes, 0xEE, sizeof(entry.bytes));  // stale content must go
  DecodeHotKeyValue(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), entry);
  return entry;
}

// A value as the controller writes it: the columns and the terminating NUL.
std::string Text(const std::string& text) { return text + '\0'; }

bool AllZero(const HotKeyEntry& entry) {
  for (unsigned char b : entry.bytes)
    if (b != 0) return false;
  return true;
}

TEST(HotKeyValue, ColumnsGiveModifiersAndKey) {
  HotKeyEntry ctrlAltZ = Decode(Text("C    A   Z"));
  EXPECT_TRUE(ctrlAltZ.WantsCtrl());
  EXPECT_TRUE(ctrlAltZ.WantsAlt());
  EXPECT_EQ(ctrlAltZ.Key(), 'Z');
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(ctrlAltZ.bytes)), "C    A   Z");

  HotKeyEntry altOnly = Decode(Text("     A   5"));
  EXPECT_FALSE(altOnly.WantsCtrl());
  EXPECT_TRUE(altOnly.WantsAlt());
  EXPECT_EQ(altOnly.Key(), '5');  // a digit of the main keyboard stays itself

  // Lower case is not a modifier mark; the key byte is taken as it stands.
  HotKeyEntry lower = Decode(Text("c    a   q"));
  EXPECT_FALSE(lower.WantsCtrl());
  EXPECT_FALSE(lower.WantsAlt());
  EXPECT_EQ(lower.Key(), 'q');
}

TEST(HotKeyValue, KeypadDigitsAndArrowsBecomeTheirKeyCodes) {
  EXPECT_EQ(Decode(Text("C        7N")).Key(), 0x67);
  EXPECT_EQ(Decode(Text("C        0N")).Key(), 0x60);
  EXPECT_EQ(Decode(Text("C        9N")).Key(), 0x69);
  EXPECT_EQ(Decode(Text("C        AN")).Key(), 'A');  // only digits have a keypad form
  EXPECT_EQ(Decode(Text("C        7n")).Key(), '7');
  const struct {
    unsigned char trail, key;
  } arrows[] = {{0xA8, 0x27}, {0xA9, 0x25}, {0xAA, 0x26}, {0xAB, 0x28}};
  for (const auto& arrow : arrows) {
    std::string value = "C    A   ";
    value += '\x81';
    value += static_cast<char>(arrow.trail);
    EXPECT_EQ(Decode(value + '\0').Key(), arrow.key) << std::hex << int(arrow.trail);
  }
  // Other Shift-JIS characters in the key column are not arrows.
  EXPECT_EQ(Decode(Text("C        \x81\xA7")).Key(), 0x81);
  EXPECT_EQ(Decode(Text("C        \x82\xA8")).Key(), 0x82);
  // An arrow cut off after its lead byte.
  EXPECT_EQ(Decode(Text("C        \x81")).Key(), 0x81);
}

TEST(HotKeyValue, ShortEmptyAndMissingValuesHaveNoKey) {
  EXPECT_EQ(Decode(Text("C    A")).Key(), 0);
  EXPECT_TRUE(AllZero(Decode("")));
  EXPECT_TRUE(AllZero(Decode(std::string(1, '\0'))));
  HotKeyEntry entry;
  std::memset(entry.bytes, 0xEE, sizeof(entry.bytes));
  DecodeHotKeyValue(nullptr, 20, entry);
  EXPECT_TRUE(AllZero(entry));
}

TEST(HotKeyValue, LongAndUnterminatedValuesStayInsideTheEntry) {
  // 31 characters and the NUL: the longest text there is.
  std::string longest = "C    A   X" + std::string(21, 'y');
  HotKeyEntry entry = Decode(longest + '\0');
  EXPECT_EQ(entry.Key(), 'X');
  EXPECT_EQ(entry.bytes[31], 0);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(entry.bytes)), longest);

  // 32 bytes without a NUL (a REG_BINARY, or text stored without it): the
  // first 31 are the text, the entry stays terminated.
  entry = Decode(longest + 'z');
  EXPECT_EQ(entry.Key(), 'X');
  EXPECT_EQ(entry.bytes[31], 0);
  // Shorter unterminated bytes: exactly those bytes.
  entry = Decode("C    A   X");
  EXPECT_EQ(entry.Key(), 'X');
  EXPECT_EQ(entry.bytes[10], 0);

  // Text after an inner NUL is not part of the value's text.
  entry = Decode(std::string("C    A   X\0N", 12));
  EXPECT_EQ(entry.bytes[10], 0);

  // More than the 32-byte buffer holds cannot be read: no key.
  EXPECT_TRUE(AllZero(Decode(longest + "zz")));
  EXPECT_TRUE(AllZero(Decode(std::string(4096, 'A'))));
}

TEST(KeyOption, OnWhenTheLowOrderByteIsNonZero) {
  auto option = [](std::vector<unsigned char> bytes) {
    return KeyOptionFromValue(bytes.data(), bytes.size());
  };
  EXPECT_TRUE(option({1, 0, 0, 0}));
  EXPECT_TRUE(option({255, 0, 0, 0}));
  EXPECT_TRUE(option({0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_FALSE(option({0, 1, 0, 0}));  // 256
  EXPECT_FALSE(option({0, 0, 0, 0}));
  // Any type: a REG_SZ "1" is '1' and its NUL; a single byte is the low byte.
  EXPECT_TRUE(option({'1', 0}));
  EXPECT_TRUE(option({7}));
  EXPECT_FALSE(option({}));
  // A REG_QWORD does not fit the 4-byte buffer: off.
  EXPECT_FALSE(option({1, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_FALSE(KeyOptionFromValue(nullptr, 4));
}

TEST(DesktopIconValue, FirstByteDecidesExactly) {
  auto view = [](const std::string& bytes) {
    return IconViewFromValue(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  };
  EXPECT_EQ(view(Text("Large")), IconView::kLarge);
  EXPECT_EQ(view(Text("Small")), IconView::kSmall);
  EXPECT_EQ(view("L"), IconView::kLarge);  // unterminated, any type
  EXPECT_EQ(view(Text("S")), IconView::kSmall);
  EXPECT_EQ(view(Text("large")), IconView::kUnchanged);
  EXPECT_EQ(view(Text("small")), IconView::kUnchanged);
  EXPECT_EQ(view(Text(" Large")), IconView::kUnchanged);
  EXPECT_EQ(view(Text("")), IconView::kUnchanged);
  EXPECT_EQ(view(""), IconView::kUnchanged);
  EXPECT_EQ(view(Text("L" + std::string(30, 'x'))), IconView::kLarge);  // 32 bytes
  EXPECT_EQ(view(Text("L" + std::string(31, 'x'))), IconView::kUnchanged);  // 33: unreadable
  EXPECT_EQ(IconViewFromValue(nullptr, 5), IconView::kUnchanged);
}

TEST(DesktopIconValue, OnlyTheViewBitsChangeAndOnlyWhenTheyDiffer) {
  const std::uint32_t others = 0x50000000u | 0x0100u | 0x0800u;  // child, visible, auto-arrange...
  std::uint32_t result = 0xDEADBEEF;
  for (std::uint32_t from = 0; from < 4; ++from) {  // icon, report, small icon, list
    const std::uint32_t style = others | from;
    bool write = StyleForIconView(style, IconView::kLarge, result);
    EXPECT_EQ(write, from != kLargeIconView) << from;
    if (write) {
      EXPECT_EQ(result, others | kLargeIconView) << from;
    }
    write = StyleForIconView(style, IconView::kSmall, result);
    EXPECT_EQ(write, from != kSmallIconView) << from;
    if (write) {
      EXPECT_EQ(result, others | kSmallIconView) << from;
    }
    result = 0xDEADBEEF;
    EXPECT_FALSE(StyleForIconView(style, IconView::kUnchanged, result));
    EXPECT_EQ(result, 0xDEADBEEF);
  }
  EXPECT_TRUE(StyleForIconView(0xFFFFFFFFu, IconView::kLarge, result));
  EXPECT_EQ(result, 0xFFFFFFFCu);
  EXPECT_TRUE(StyleForIconView(0xFFFFFFFFu, IconView::kSmall, result));
  EXPECT_EQ(result, 0xFFFFFFFEu);
}

}  // namespace
