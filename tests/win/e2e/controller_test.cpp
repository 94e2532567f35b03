// QovMouse.exe end to end: its default keys, its hooks acting on another
// program's window, and their removal when it ends.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlwapi.h>

#include <string>

#include "support/testsupport.h"

using namespace qovtest;

namespace {

const char kMouseKey[] = "Software\\QovSoft\\QovMouse";
const char kHotKeyKey[] = "Software\\QovSoft\\QovMouse\\Hot key";
const char kStartButton[] = "スタートボタンへ移動";

// The README's table of default keys, with each command's value name.
const char* const kDefaults[][2] = {
    {"左へ移動(低速)", "C    A   ←"},       {"右へ移動(低速)", "C    A   →"},
    {"上へ移動(低速)", "C    A   ↑"},       {"下へ移動(低速)", "C    A   ↓"},
    {"左へ移動(高速)", "C    A   4N"},      {"右へ移動(高速)", "C    A   6N"},
    {"上へ移動(高速)", "C    A   8N"},      {"下へ移動(高速)", "C    A   2N"},
    {"画面中央へ移動", "C    A   5N"},      {"画面左端へ移動", "C        4N"},
    {"画面右端へ移動", "C        6N"},      {"画面上端へ移動", "C        8N"},
    {"画面下端へ移動", "C        2N"},      {"画面左上角へ移動", "C    A   7N"},
    {"画面右上角へ移動", "C    A   9N"},    {"画面左下角へ移動", "C    A   1N"},
    {"画面右下角へ移動", "C    A   3N"},    {kStartButton, "C    A   S"},
    {"アクティブなウィンドウへ移動", "C    A   W"}, {"左クリック", "C    A   0N"},
    {"右クリック", "C        0N"}};

std::string HotKeyText(const char* name) {
  char text[64] = {};
  DWORD size = sizeof(text) - 1;
  SHGetValueA(HKEY_CURRENT_USER, kHotKeyKey, name, nullptr, text, &size);
  return text;
}

TEST(Controller, FinishesTheDefaultKeysRunsBothHooksAndRemovesThemAtTheEnd) {
  AppKeyGuard key("QovMouse");
  // The cursor away from the other window, whose mouse moves the hook would note.
  SetCursorPos(700, 600);
  WindowHost host;  // holds Ctrl and Alt down in its key state
  ASSERT_TRUE(host.Start({"|other|100,100,200,200|ca"}));
  HWND other = host.Windows()[0];
  auto send = [&](WPARAM k) {
    auto count = reinterpret_cast<INT_PTR>(GetPropA(other, "keys"));
    PostMessageA(other, WM_SYSKEYDOWN, k, 0);
    if (!WaitUntil([&] { return reinterpret_cast<INT_PTR>(GetPropA(other, "keys")) > count; }))
      return WPARAM{0xDEAD};
    return reinterpret_cast<WPARAM>(GetPropA(other, "key"));
  };

  // A first start that failed halfway: its mark, and one value already in.
  SetDword(kMouseKey, "Writing default keys", 1);
  SetRaw(kHotKeyKey, kStartButton, REG_SZ, "C    A   T", 11);
  Process controller;
  ASSERT_TRUE(controller.Start("\"" + ProgramPath("QovMouse.exe") + "\""));
  ASSERT_TRUE(WaitUntil([&] { return !ValueExists(kMouseKey, "Writing default keys"); }));
  EXPECT_EQ(ValueCount(kHotKeyKey), 21);
  for (const auto& value : kDefaults) {
    const bool kept = std::string(value[0]) == kStartButton;
    EXPECT_EQ(HotKeyText(value[0]), kept ? "C    A   T" : value[1]) << value[1];
  }
  HWND main = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    for (HWND hwnd : TopLevelWindows(controller.Id(), false))
      if (WindowText(hwnd) == "Qovマウス") main = hwnd;
    return main != nullptr;
  }));

  // Ctrl+Alt+keypad 5 centres the cursor, Ctrl+Alt+→ moves it one pixel.
  ASSERT_TRUE(WaitUntil([&] { return send(VK_NUMPAD5) == 0x200; }));
  POINT p = {};
  EXPECT_TRUE(WaitUntil([&] { return GetCursorPos(&p) && p.x == 512 && p.y == 384; }));
  EXPECT_EQ(send(VK_RIGHT), 0x200u);
  EXPECT_TRUE(WaitUntil([&] { return GetCursorPos(&p) && p.x == 513 && p.y == 384; }));
  EXPECT_EQ(send('T'), 0x200u);  // the value that was in is kept
  EXPECT_EQ(send('S'), static_cast<WPARAM>('S'));

  // Its system menu's close item ends it, and both hooks with it.
  PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
  DWORD code = 1;
  ASSERT_TRUE(controller.WaitForExit(5000, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(send(VK_NUMPAD5), static_cast<WPARAM>(VK_NUMPAD5));
  // The user's own keys are kept at the next start.
  SetRaw(kHotKeyKey, "画面中央へ移動", REG_SZ, "C    A   Q", 11);
  Process again;
  ASSERT_TRUE(again.Start("\"" + ProgramPath("QovMouse.exe") + "\""));
  EXPECT_TRUE(WaitUntil([&] { return send('Q') == 0x200; }));
  EXPECT_EQ(send(VK_NUMPAD5), static_cast<WPARAM>(VK_NUMPAD5));
}

}  // namespace
