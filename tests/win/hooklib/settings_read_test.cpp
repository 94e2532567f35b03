// The library's settings, linked into the test: values of any type are read
// up to the size of their buffers.
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

}  // namespace
