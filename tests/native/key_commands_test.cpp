// The hook library's rules: its registry values as bytes, the commands'
// keys and targets, the cursor arithmetic and the key options.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "core/hook_values.h"
#include "core/key_commands.h"

namespace core {
namespace {

// The whole entry for a value's bytes, over stale content.
std::string Decoded(const std::string& bytes) {
  HotKeyEntry entry;
  std::memset(entry.bytes, 0xEE, sizeof(entry.bytes));
  DecodeHotKeyValue(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), entry);
  return std::string(reinterpret_cast<const char*>(entry.bytes), sizeof(entry.bytes));
}

TEST(HotKeyValue, KeyCodesInTheirColumnAndAtMost31CharactersKept) {
  std::string keys;
  for (const char* text : {"C    A   Z", "c        7", "C        0N", "C        9N", "C        AN",
                           "C        7n", "C   \x81\xA8", "C    A   \x81\xA8", "C    A   \x81\xA9",
                           "C    A   \x81\xAA", "C    A   \x81\xAB", "C    A   \x81\xA7",
                           "C    A   \x82\xA8", "C    A   \x81"})
    keys += std::to_string(static_cast<unsigned char>(Decoded(text)[9])) + ' ';
  // Z, 7, keypad 0 and 9, A, 7, none, right, left, up, down, then the bytes as they are.
  EXPECT_EQ(keys, "90 55 96 105 65 55 0 39 37 38 40 129 130 129 ");
  // At most 31 characters are kept, and longer values give nothing.
  const std::string longest = "C    A   X" + std::string(21, 'y'), zeros(32, '\0');
  EXPECT_EQ(Decoded(longest + '\0'), longest + '\0');
  EXPECT_EQ(Decoded(longest + 'z'), longest + '\0');  // 32 bytes without a NUL
  EXPECT_EQ(Decoded(std::string("C    A   X\0N", 12)), "C    A   X" + zeros.substr(10));
  EXPECT_EQ(Decoded(longest + "zz"), zeros);  // more than the buffer holds
  EXPECT_EQ(Decoded(""), zeros);
  // Texts read as UTF-16 take the Shift-JIS columns: arrows and other wide
  // characters two bytes, half-width katakana one.
  unsigned char bytes[16] = {};
  EXPECT_EQ(HotKeyBytesFromUtf16(u"C←→↑↓ｱ漢", 8, bytes, 4), 13u);
  EXPECT_EQ(HotKeyBytesFromUtf16(u"C←→↑↓ｱ漢", 8, bytes, sizeof(bytes)), 13u);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes), 13),
            std::string("C\x81\xA9\x81\xA8\x81\xAA\x81\xAB\xB1\x81\x48", 13));
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

TEST(AltGr, OnlyKeyMessagesAndNoKeyTypedWithAltGrRunCommands) {
  // Ctrl+Alt, with Shift or Hankaku or not, is AltGr; Ctrl, Alt, Shift
  // alone or with one other are not, nor "no key" (-1).
  std::string got;
  for (int scan : {0x645, 0x745, 0xE45, 0x245, 0x445, 0x345, 0x545, -1})
    got += TypedWithCtrlAlt(static_cast<std::int16_t>(scan)) ? '1' : '0';
  EXPECT_EQ(got, "11100000");
  // Layouts that type one character with Ctrl+Alt and none other: Polish
  // "ś", "ſ" at the end of the range and the euro sign show AltGr, the
  // characters just outside the range do not.  Asked up to the first found.
  got.clear();
  char16_t last = 0;
  for (char16_t altGr : {0x15B, 0x17F, 0x20AC, 0x180, 0x1F}) {
    got += LayoutHasAltGr([&](char16_t c) -> std::int16_t {
      last = c;
      return c == altGr ? 0x645 : -1;
    }) ? '1' : '0';
    if (altGr == 0x15B) {
      EXPECT_EQ(last, 0x15B);
    }
  }
  EXPECT_EQ(got, "11100");
  // Key-down, key-up, system key-down and -up, then WM_CHAR, WM_DEADCHAR,
  // WM_SYSCHAR, WM_COMMAND, WM_TIMER; each with right Alt up or down on a
  // layout without and with AltGr.  The layout is asked only for a key with
  // right Alt down.
  got.clear();
  int asked = 0;
  for (unsigned message : {0x100u, 0x101u, 0x104u, 0x105u, 0x102u, 0x103u, 0x106u, 0x111u, 0x113u}) {
    for (int keys = 0; keys < 4; ++keys)
      got += KeyMessageMayRunCommands(message, keys & 2, [&] { return ++asked, (keys & 1) != 0; })
                 ? '1' : '0';
    got += ' ';
  }
  EXPECT_EQ(got, "1110 1110 1110 1110 0000 0000 0000 0000 0000 ");
  EXPECT_EQ(asked, 8);
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
