// The library's settings, linked into the test: what each value of the
// "Hot key", "Key option" and "Desktop icon" settings becomes, whatever its
// type and length, and how the copy follows changes of the registry.
#include <gtest/gtest.h>

#include <random>
#include <string>

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

// The settings as the keyboard command hook sees them at a key-down.
qov32::MouseSettings AtKeyDown() {
  qov32::RefreshMouseSettings();
  qov32::CurrentMouseSettings current;
  return *current;
}

// The option flags at a key-down, "1" for on, in the order of their values.
std::string Options() {
  std::string flags;
  for (bool on : AtKeyDown().keyOptions) flags += on ? '1' : '0';
  return flags;
}

class SettingsRead : public ::testing::Test {
 protected:
  // The keys are the library's own; each test starts without them.
  AppKeyGuard m_mouse{"QovMouse"};
  AppKeyGuard m_desktop{"QovDesktop"};
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

  const qov32::MouseSettings read = AtKeyDown();
  const core::HotKeyEntry* table = read.hotKeys;
  EXPECT_EQ(table[0].Key(), 0x67);
  EXPECT_TRUE(table[0].WantsCtrl());
  EXPECT_FALSE(table[0].WantsAlt());
  EXPECT_EQ(table[1].Key(), 0x27);
  EXPECT_TRUE(table[1].WantsAlt());
  EXPECT_EQ(table[2].Key(), 'Z');
  EXPECT_EQ(EntryText(table[3]), longest);
  EXPECT_EQ(EntryText(table[4]), longest);  // cut to 31, still terminated
  EXPECT_EQ(table[4].bytes[31], 0);
  EXPECT_EQ(EntryText(table[5]), "");       // too long to read: no key
  EXPECT_EQ(EntryText(table[6]), "");
  EXPECT_EQ(EntryText(table[7]), "A");
  EXPECT_EQ(table[7].Key(), 0);
  EXPECT_EQ(EntryText(table[8]), "C    A   Q");
  EXPECT_EQ(table[8].Key(), 'Q');
  EXPECT_EQ(EntryText(table[9]), "");
  for (int i = 10; i < 20; ++i) EXPECT_EQ(EntryText(table[i]), "") << "missing value " << i;
  EXPECT_EQ(table[20].Key(), 'R');

  // Without the key every command is without a key.
  DeleteAppKey("QovMouse");
  const qov32::MouseSettings none = AtKeyDown();
  for (const auto& entry : none.hotKeys)
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
  EXPECT_EQ(Options(), "10100");  // a 64-bit value does not fit: unreadable

  SetText(kKeyOptionKey, names[qov32::kSpaceExKey], "1");  // any type: '1' is non-zero
  SetDword(kKeyOptionKey, names[qov32::kNoInsertKey], 0);
  EXPECT_EQ(Options(), "00101");

  DeleteAppKey("QovMouse");
  EXPECT_EQ(Options(), "00000");
}

TEST_F(SettingsRead, DesktopIconIsItsFirstByteFromTheNextCallOn) {
  // Created after the first call: noticed all the same.
  EXPECT_EQ(qov32::CurrentDesktopIconView(), core::IconView::kUnchanged);
  SetText(kDesktopKey, "Desktop icon", "Small");
  EXPECT_EQ(qov32::CurrentDesktopIconView(), core::IconView::kSmall);
  SetText(kDesktopKey, "Desktop icon", "Large");
  EXPECT_EQ(qov32::CurrentDesktopIconView(), core::IconView::kLarge);
  SetText(kDesktopKey, "Desktop icon", "large");
  EXPECT_EQ(qov32::CurrentDesktopIconView(), core::IconView::kUnchanged);
  SetText(kDesktopKey, "Desktop icon", "L" + std::string(40, 'x'));
  EXPECT_EQ(qov32::CurrentDesktopIconView(), core::IconView::kUnchanged);
  const DWORD small = 'S';
  SetRaw(kDesktopKey, "Desktop icon", REG_DWORD, &small, sizeof(small));
  EXPECT_EQ(qov32::CurrentDesktopIconView(), core::IconView::kSmall);
  // Deleted with its key, and created again.
  DeleteAppKey("QovDesktop");
  EXPECT_EQ(qov32::CurrentDesktopIconView(), core::IconView::kUnchanged);
  SetText(kDesktopKey, "Desktop icon", "Large");
  EXPECT_EQ(qov32::CurrentDesktopIconView(), core::IconView::kLarge);
}

// A hook of this thread, so that the state holds a real handle.
LRESULT CALLBACK PassOn(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(SettingsRead, SetHookMessageReadsOnlyWhenItInstalls) {
  SetText(kHotKeyKey, qov32::kCommandNames[5], "C    A   K");
  // Linked in, the library has no module handle: the global hook cannot be
  // installed, but the table is read first.
  ASSERT_EQ(qov32::g_state.module, nullptr);
  EXPECT_EQ(SetHookMessage(0), nullptr);
  EXPECT_EQ(qov32::CurrentMouseSettings()->hotKeys[5].Key(), 'K');

  // Installed: the same handle again, and nothing is read.
  HHOOK own = SetWindowsHookExA(WH_GETMESSAGE, PassOn, nullptr, GetCurrentThreadId());
  ASSERT_NE(own, nullptr);
  qov32::g_state.messageHook = own;
  SetText(kHotKeyKey, qov32::kCommandNames[5], "C    A   M");
  EXPECT_EQ(SetHookMessage(1), own);
  EXPECT_EQ(qov32::CurrentMouseSettings()->hotKeys[5].Key(), 'K');
  EXPECT_TRUE(UnSetHookMessage());
  EXPECT_EQ(qov32::g_state.messageHook, nullptr);
  EXPECT_FALSE(UnSetHookMessage());
}

// Values changed, deleted and created again between reads, each with the
// key it stands for; the keys and events held stay the same few.
TEST_F(SettingsRead, TenThousandReadsFollowEveryChangeWithTheSameHandles) {
  const struct {
    const char* text;
    DWORD size;  // bytes written, the text padded with zeros; 0 deletes QovMouse
    unsigned char key;
  } values[] = {{"C    A   \x81\xAB", 12, 0x28}, {"C        3N", 12, 0x63}, {"C    A   7", 11, '7'},
                {"C    A   K", 10, 'K'},         {"", 0, 0},                {"C    A   Q", 40, 0},
                {"C    A   ", 10, 0}};
  const unsigned seed = GetTickCount();
  std::mt19937 random(seed);
  SCOPED_TRACE("seed " + std::to_string(seed));
  // Every key there from the start, so that each is held from the start.
  SetText(kDesktopKey, "Desktop icon", "Small");
  SetText(kHotKeyKey, qov32::kCommandNames[0], "C    A   7");
  SetDword(kKeyOptionKey, qov32::kKeyOptionNames[0], 0);
  unsigned char expected[kCommandCount] = {'7'};
  AtKeyDown();
  qov32::CurrentDesktopIconView();
  const int handlesBefore = OpenHandles();
  for (int call = 0; call < 10000; ++call) {
    if (call % 50 == 0) {
      const auto& value = values[random() % (sizeof(values) / sizeof(values[0]))];
      const int command = static_cast<int>(random() % kCommandCount);
      if (value.size == 0) {
        DeleteAppKey("QovMouse");
        for (unsigned char& key : expected) key = 0;
      } else {
        std::string data(value.text);
        data.resize(value.size, '\0');
        SetRaw(kHotKeyKey, qov32::kCommandNames[command], REG_BINARY, data.data(), value.size);
        expected[command] = value.key;
      }
      SetText(kDesktopKey, "Desktop icon", call % 100 ? "Large" : "Small");
    }
    const qov32::MouseSettings read = AtKeyDown();
    for (int i = 0; i < kCommandCount; ++i)
      ASSERT_EQ(read.hotKeys[i].Key(), expected[i]) << "call " << call << ", command " << i;
    ASSERT_EQ(qov32::CurrentDesktopIconView(),
              call % 100 < 50 ? core::IconView::kSmall : core::IconView::kLarge)
        << "call " << call;
  }
  EXPECT_LE(OpenHandles(), handlesBefore);
}

}  // namespace
