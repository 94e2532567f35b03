// The system menu's dialogs in the real program.
#include <gtest/gtest.h>

#include "support/testsupport.h"

using namespace qovtest;

// Any command 16 to 31 is the about box: the low four bits are the system's.
TEST(SystemMenu, AboutBoxIsModalOverTheMainWindow) {
  RunningProgram program("Menu");
  ASSERT_TRUE(program.Start());
  PostMessageA(program.Main(), WM_SYSCOMMAND, 16 + 3, 0);
  HWND about = nullptr;
  EXPECT_TRUE(WaitUntil([&] { return (about = FindWindowA(nullptr, "ﾊﾞｰｼﾞｮﾝ情報 QovDesktop")); }));
  EXPECT_EQ(GetWindow(about, GW_OWNER), program.Main());
  EXPECT_FALSE(IsWindowEnabled(program.Main()));
  PostMessageA(about, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(program.Main()); }));
}
