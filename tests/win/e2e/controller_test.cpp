// QovMouse.exe end to end: its default keys, its hooks acting on another
// program's window, and their removal when it ends.
#include <gtest/gtest.h>
#include <windows.h>

#include "core/key_commands.h"
#include "support/testsupport.h"

using namespace qovtest;

namespace {

const char kMouseKey[] = "Software\\QovSoft\\QovMouse";
const char kHotKeyKey[] = "Software\\QovSoft\\QovMouse\\Hot key";

TEST(Controller, WritesDefaultKeysInstallsBothHooksAndRemovesThemAtTheEnd) {
  AppKeyGuard key("QovMouse");
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
  SetRaw(kHotKeyKey, core::kCommandNames[core::kToStartButton], REG_SZ, "C    A   T", 11);
  Process controller;
  ASSERT_TRUE(controller.Start("\"" + ProgramPath("QovMouse.exe") + "\""));
  ASSERT_TRUE(WaitUntil([&] { return !ValueExists(kMouseKey, "Writing default keys"); }));
  EXPECT_EQ(ValueCount(kHotKeyKey), core::kCommandCount);
  HWND main = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    for (HWND hwnd : TopLevelWindows(controller.Id(), false))
      if (WindowText(hwnd) == "Qovマウス") main = hwnd;
    return main != nullptr;
  }));
  // Hidden above the screen; its taskbar button leads to it.
  EXPECT_LE(WindowRect(main).bottom, 0);
  EXPECT_TRUE(GetWindowLongA(main, GWL_EXSTYLE) & WS_EX_APPWINDOW);

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
  EXPECT_EQ(send(VK_RIGHT), static_cast<WPARAM>(VK_RIGHT));
  // The user's own keys are kept at the next start.
  SetRaw(kHotKeyKey, core::kCommandNames[core::kToCentre], REG_SZ, "C    A   Q", 11);
  Process again;
  ASSERT_TRUE(again.Start("\"" + ProgramPath("QovMouse.exe") + "\""));
  EXPECT_TRUE(WaitUntil([&] { return send('Q') == 0x200; }));
  EXPECT_EQ(send(VK_NUMPAD5), static_cast<WPARAM>(VK_NUMPAD5));
}

}  // namespace
