// The library's registry reading, linked into the test: what each value of
// the "Hot key", "Key option" and "Desktop icon" settings becomes, whatever
// its type and length.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "core/hook_values.h"
#include "hooklib/qov32.h"
#include "hooklib/settings.h"
#include "hooklib/state.h"
#include "support/testsupport.h"

using namespace qovtest;
using qov32::kCommandCount;
using qov32::kKeyOptionCount;

namespace {

const char kHotKeyKey[] = "Software\\QovSoft\\QovMouse\\Hot key";
const char kKeyOptionKey[] = "Software\\QovSoft\\QovMouse\\Key option";
const char kDesktopKey[] = "Software\\QovSoft\\QovDesktop\\Setting";

void SetText(const std::string& key, const char* name, const std::string& text) {
  SetRaw(key, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

std::string EntryText(const core::HotKeyEntry& entry) {
  return std::string(reinterpret_cast<const char*>(entry.bytes));
}

class SettingsRead : public ::testing::Test {
 protected:
  // The keys are the library's own; each test starts without them.
  AppKeyGuard m_mouse{"QovMouse"};
  AppKeyGuard m_desktop{"QovDesktop"};
  core::HotKeyEntry m_table[kCommandCount];
  BOOL m_options[kKeyOptionCount];

  void SetUp() override {
    std::memset(m_table, 0x5A, sizeof(m_table));  // stale content must not survive
    for (BOOL& option : m_options) option = 7;
  }
};

TEST_F(SettingsRead, HotKeysOfEveryShapeStayInsideTheirEntries) {
  const char* const* names = qov32::kCommandNames;
  SetText(kHotKeyKey, names[0], "C        7N");         // Ctrl + keypad 7
  SetText(kHotKeyKey, names[1], "C    A   \x81\xA8");   // Ctrl + Alt + →
  SetText(kHotKeyKey, names[2], "     A   Z");          // Alt + Z
  const std::string longest = "C    A   X" + std::string(21, 'y');  // 31 characters
  SetText(kHotKeyKey, names[3], longest);
  SetRaw(kHotKeyKey, names[4], REG_BINARY, (longest + "z").data(), 32);  // no NUL in 32 bytes
  SetText(kHotKeyKey, names[5], longest + "z");         // 32 characters: 33 bytes
  SetRaw(kHotKeyKey, names[6], REG_BINARY, std::string(4096, 'C').data(), 4096);
  const DWORD dword = 0x41;                             // any type: the bytes "A\0\0\0"
  SetRaw(kHotKeyKey, names[7], REG_DWORD, &dword, sizeof(dword));
  SetRaw(kHotKeyKey, names[8], REG_BINARY, "C    A   Q", 10);  // unterminated
  SetRaw(kHotKeyKey, names[9], REG_SZ, "", 0);
  SetText(kHotKeyKey, names[20], "C    A   R");

  qov32::ReadHotKeyTable(m_table);
  EXPECT_EQ(m_table[0].Key(), 0x67);
  EXPECT_TRUE(m_table[0].WantsCtrl());
  EXPECT_FALSE(m_table[0].WantsAlt());
  EXPECT_EQ(m_table[1].Key(), 0x27);
  EXPECT_TRUE(m_table[1].WantsAlt());
  EXPECT_EQ(m_table[2].Key(), 'Z');
  EXPECT_EQ(EntryText(m_table[3]), longest);
  EXPECT_EQ(EntryText(m_table[4]), longest);  // cut to 31, still terminated
  EXPECT_EQ(m_table[4].bytes[31], 0);
  EXPECT_EQ(EntryText(m_table[5]), "");       // too long to read: no key
  EXPECT_EQ(EntryText(m_table[6]), "");
  EXPECT_EQ(EntryText(m_table[7]), "A");
  EXPECT_EQ(m_table[7].Key(), 0);
  EXPECT_EQ(EntryText(m_table[8]), "C    A   Q");
  EXPECT_EQ(m_table[8].Key(), 'Q');
  EXPECT_EQ(EntryText(m_table[9]), "");
  for (int i = 10; i < 20; ++i) EXPECT_EQ(EntryText(m_table[i]), "") << "missing value " << i;
  EXPECT_EQ(m_table[20].Key(), 'R');

  // Without the key every command is without a key.
  DeleteAppKey("QovMouse");
  std::memset(m_table, 0x5A, sizeof(m_table));
  qov32::ReadHotKeyTable(m_table);
  for (const auto& entry : m_table)
    for (unsigned char b : entry.bytes) ASSERT_EQ(b, 0);
}

TEST_F(SettingsRead, KeyOptionsAreOnForANonZeroLowByteOnly) {
  const char* const* names = qov32::kKeyOptionNames;
  SetDword(kKeyOptionKey, names[qov32::kNoInsertKey], 1);
  SetDword(kKeyOptionKey, names[qov32::kNoCapsKey], 256);
  SetDword(kKeyOptionKey, names[qov32::kCommaExKey], 255);
  const unsigned long long qword = 1;
  SetRaw(kKeyOptionKey, names[qov32::kEqualExKey], REG_QWORD, &qword, sizeof(qword));
  // "SpaceEx key" missing.
  qov32::ReadKeyOptions(m_options);
  EXPECT_EQ(m_options[qov32::kNoInsertKey], TRUE);
  EXPECT_EQ(m_options[qov32::kNoCapsKey], FALSE);
  EXPECT_EQ(m_options[qov32::kCommaExKey], TRUE);
  EXPECT_EQ(m_options[qov32::kEqualExKey], FALSE);  // does not fit 32 bits: unreadable
  EXPECT_EQ(m_options[qov32::kSpaceExKey], FALSE);

  SetText(kKeyOptionKey, names[qov32::kSpaceExKey], "1");  // any type: '1' is non-zero
  SetDword(kKeyOptionKey, names[qov32::kNoInsertKey], 0);
  qov32::ReadKeyOptions(m_options);
  EXPECT_EQ(m_options[qov32::kSpaceExKey], TRUE);
  EXPECT_EQ(m_options[qov32::kNoInsertKey], FALSE);

  DeleteAppKey("QovMouse");
  qov32::ReadKeyOptions(m_options);
  for (BOOL option : m_options) EXPECT_EQ(option, FALSE);
}

TEST_F(SettingsRead, DesktopIconIsItsFirstByte) {
  EXPECT_EQ(qov32::ReadDesktopIconView(), core::IconView::kUnchanged);
  SetText(kDesktopKey, "Desktop icon", "Small");
  EXPECT_EQ(qov32::ReadDesktopIconView(), core::IconView::kSmall);
  SetText(kDesktopKey, "Desktop icon", "Large");
  EXPECT_EQ(qov32::ReadDesktopIconView(), core::IconView::kLarge);
  SetText(kDesktopKey, "Desktop icon", "large");
  EXPECT_EQ(qov32::ReadDesktopIconView(), core::IconView::kUnchanged);
  SetText(kDesktopKey, "Desktop icon", "L" + std::string(40, 'x'));
  EXPECT_EQ(qov32::ReadDesktopIconView(), core::IconView::kUnchanged);
  const DWORD small = 'S';
  SetRaw(kDesktopKey, "Desktop icon", REG_DWORD, &small, sizeof(small));
  EXPECT_EQ(qov32::ReadDesktopIconView(), core::IconView::kSmall);
}

// A hook of this thread, so that the state holds a real handle.
LRESULT CALLBACK PassOn(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(SettingsRead, SetHookMessageReadsOnlyWhenItInstalls) {
  SetText(kHotKeyKey, qov32::kCommandNames[5], "C    A   K");
  SetDword(kKeyOptionKey, qov32::kKeyOptionNames[qov32::kNoCapsKey], 1);
  // Linked in, the library has no module handle: the global hook cannot be
  // installed, but the table is read first.
  ASSERT_EQ(qov32::g_state.module, nullptr);
  EXPECT_EQ(SetHookMessage(0), nullptr);
  EXPECT_EQ(qov32::g_hotKeys[5].Key(), 'K');
  EXPECT_EQ(qov32::g_keyOptions[qov32::kNoCapsKey], TRUE);

  // Installed: the same handle again, and nothing is read.
  HHOOK own = SetWindowsHookExA(WH_GETMESSAGE, PassOn, nullptr, GetCurrentThreadId());
  ASSERT_NE(own, nullptr);
  qov32::g_state.messageHook = own;
  SetText(kHotKeyKey, qov32::kCommandNames[5], "C    A   M");
  SetDword(kKeyOptionKey, qov32::kKeyOptionNames[qov32::kNoCapsKey], 0);
  EXPECT_EQ(SetHookMessage(1), own);
  EXPECT_EQ(SetHookMessage(2), own);
  EXPECT_EQ(qov32::g_hotKeys[5].Key(), 'K');
  EXPECT_EQ(qov32::g_keyOptions[qov32::kNoCapsKey], TRUE);

  // Removing empties the table and the handle.
  EXPECT_TRUE(UnSetHookMessage());
  EXPECT_EQ(qov32::g_state.messageHook, nullptr);
  for (const auto& entry : qov32::g_hotKeys) EXPECT_EQ(entry.Key(), 0);
  EXPECT_FALSE(UnSetHookMessage());
}

// Arbitrary data of any type and length: the bytes the registry gives back
// for it, read without a size limit, are what the rules decode.
struct RawValue {
  bool present = false;
  std::vector<unsigned char> bytes;
};
RawValue ReadBack(const char* keyPath, const char* name) {
  RawValue value;
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return value;
  std::vector<unsigned char> buffer(1 << 16);
  DWORD size = static_cast<DWORD>(buffer.size());
  if (RegQueryValueExA(key, name, nullptr, nullptr, buffer.data(), &size) == ERROR_SUCCESS) {
    value.present = true;
    value.bytes.assign(buffer.begin(), buffer.begin() + size);
  }
  RegCloseKey(key);
  return value;
}

void SetFuzzed(std::mt19937& random, const char* keyPath, const char* name) {
  static const DWORD kTypes[] = {REG_NONE,  REG_SZ,        REG_EXPAND_SZ, REG_BINARY,
                                 REG_DWORD, REG_DWORD_BIG_ENDIAN, REG_MULTI_SZ, REG_QWORD,
                                 0x7FFF};
  const unsigned pick = random() % 16;
  if (pick == 0) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
      RegDeleteValueA(key, name);
      RegCloseKey(key);
    }
    return;
  }
  // Mostly around the buffer sizes, sometimes far beyond them.
  size_t length = pick == 1 ? random() % 5000 : random() % 40;
  std::vector<unsigned char> data(length);
  for (auto& b : data) {
    unsigned r = random() % 8;
    b = r == 0 ? 0 : r == 1 ? "CANLS \x81"[random() % 7] : static_cast<unsigned char>(random());
  }
  SetRaw(keyPath, name, kTypes[random() % (sizeof(kTypes) / sizeof(kTypes[0]))], data.data(),
         static_cast<DWORD>(data.size()));
}

TEST_F(SettingsRead, FuzzedValuesReadAsTheRulesSayWithoutLeakingHandles) {
  const unsigned seed = GetTickCount();
  std::mt19937 random(seed);
  SCOPED_TRACE("seed " + std::to_string(seed));
  SetText(kHotKeyKey, qov32::kCommandNames[0], "C    A   X");
  SetDword(kKeyOptionKey, qov32::kKeyOptionNames[0], 1);
  SetText(kDesktopKey, "Desktop icon", "Large");
  qov32::ReadHotKeyTable(m_table);
  qov32::ReadKeyOptions(m_options);
  qov32::ReadDesktopIconView();
  DWORD handlesBefore = 0, handlesAfter = 0;
  ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &handlesBefore));

  // Each round reads all 26 values of SetHookMessage's read: about 100,000
  // queries of fuzzed values in all.
  const int kRounds = 4000;
  int checked = 0;
  for (int round = 0; round < kRounds; ++round) {
    const int command = static_cast<int>(random() % kCommandCount);
    const int option = static_cast<int>(random() % kKeyOptionCount);
    SetFuzzed(random, kHotKeyKey, qov32::kCommandNames[command]);
    SetFuzzed(random, kKeyOptionKey, qov32::kKeyOptionNames[option]);
    SetFuzzed(random, kDesktopKey, "Desktop icon");
    qov32::ReadHotKeyTable(m_table);
    qov32::ReadKeyOptions(m_options);
    const core::IconView view = qov32::ReadDesktopIconView();
    if (round % 7 != 0) continue;  // compare now and then: reading back costs as much
    RawValue hot = ReadBack(kHotKeyKey, qov32::kCommandNames[command]);
    core::HotKeyEntry expected;
    core::DecodeHotKeyValue(hot.present ? hot.bytes.data() : nullptr, hot.bytes.size(), expected);
    ASSERT_EQ(std::memcmp(expected.bytes, m_table[command].bytes, sizeof(expected.bytes)), 0)
        << "round " << round << ", " << hot.bytes.size() << " bytes";
    RawValue flag = ReadBack(kKeyOptionKey, qov32::kKeyOptionNames[option]);
    ASSERT_EQ(m_options[option] != FALSE,
              flag.present && core::KeyOptionFromValue(flag.bytes.data(), flag.bytes.size()))
        << "round " << round;
    RawValue icon = ReadBack(kDesktopKey, "Desktop icon");
    ASSERT_EQ(view, icon.present ? core::IconViewFromValue(icon.bytes.data(), icon.bytes.size())
                                 : core::IconView::kUnchanged)
        << "round " << round;
    ++checked;
  }
  ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &handlesAfter));
  EXPECT_LE(handlesAfter, handlesBefore);
  EXPECT_GT(checked, kRounds / 10);
}

}  // namespace
