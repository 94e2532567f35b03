// The library's settings, linked into the test: values of any type read up
// to the size of their buffers, and changes followed with the same few
// handles however often the registry changes.
#include <gtest/gtest.h>

#include <string>

#include "core/hook_values.h"
#include "hooklib/settings.h"
#include "hooklib/state.h"
#include "support/testsupport.h"

using namespace qovtest;

namespace {

const char kHotKeyKey[] = "Software\\QovSoft\\QovMouse\\Hot key";
const char kKeyOptionKey[] = "Software\\QovSoft\\QovMouse\\Key option";
const char kDesktopKey[] = "Software\\QovSoft\\QovDesktop\\Setting";

// The settings as the keyboard command hook sees them at a key-down.
qov32::MouseSettings AtKeyDown() {
  qov32::RefreshMouseSettings();
  qov32::CurrentMouseSettings current;
  return *current;
}

TEST(SettingsRead, ValuesOfAnyTypeAreReadUpToTheirBuffers) {
  AppKeyGuard mouse("QovMouse"), desktop("QovDesktop");
  const unsigned long long qword = 1;
  const std::string longest = "C    A   X" + std::string(22, 'y');  // 32 bytes, no NUL
  SetRaw(kHotKeyKey, qov32::kCommandNames[0], REG_DWORD, "C\0\0", 4);
  SetRaw(kHotKeyKey, qov32::kCommandNames[1], REG_BINARY, longest.data(), 32);
  SetRaw(kHotKeyKey, qov32::kCommandNames[2], REG_SZ, longest.c_str(), 33);  // 1 byte too many
  SetRaw(kKeyOptionKey, qov32::kKeyOptionNames[1], REG_SZ, "1", 2);
  SetRaw(kKeyOptionKey, qov32::kKeyOptionNames[2], REG_QWORD, &qword, sizeof(qword));
  SetRaw(kDesktopKey, "Desktop icon", REG_SZ, ("S" + longest).c_str(), 34);
  const qov32::MouseSettings read = AtKeyDown();
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(read.hotKeys[0].bytes)), "C");
  EXPECT_EQ(read.hotKeys[1].Key(), 'X');
  EXPECT_EQ(read.hotKeys[2].Key(), 0);
  EXPECT_TRUE(read.keyOptions[1]);
  EXPECT_FALSE(read.keyOptions[2]);
  EXPECT_EQ(qov32::CurrentDesktopIconView(), core::IconView::kUnchanged);
}

TEST(SettingsRead, EveryChangeIsFollowedWithTheSameHandles) {
  AppKeyGuard mouse("QovMouse"), desktop("QovDesktop");
  // Every key there from the start, so that each is held from the start.
  SetRaw(kDesktopKey, "Desktop icon", REG_SZ, "Small", 6);
  SetRaw(kHotKeyKey, qov32::kCommandNames[0], REG_SZ, "C    A   K", 11);
  SetDword(kKeyOptionKey, qov32::kKeyOptionNames[0], 0);
  AtKeyDown();
  qov32::CurrentDesktopIconView();
  const int handles = OpenHandles();
  for (int round = 1; round <= 300; ++round) {
    const int command = round % qov32::kCommandCount;
    const std::string text = std::string("C    A   ") + "KQZ"[round % 3];
    if (round % 10 == 0) {
      DeleteAppKey("QovMouse");  // and created again in the next round
    } else {
      SetRaw(kHotKeyKey, qov32::kCommandNames[command], REG_SZ, text.c_str(), 11);
    }
    SetRaw(kDesktopKey, "Desktop icon", REG_SZ, round % 2 ? "Large" : "Small", 6);
    ASSERT_EQ(AtKeyDown().hotKeys[command].Key(), round % 10 ? text[9] : 0) << round;
    ASSERT_EQ(qov32::CurrentDesktopIconView(),
              round % 2 ? core::IconView::kLarge : core::IconView::kSmall) << round;
  }
  EXPECT_LE(OpenHandles(), handles);
}

}  // namespace
