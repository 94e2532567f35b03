// The system menu's commands in the real program.
#include <gtest/gtest.h>

#include <windows.h>

#include "support/testsupport.h"

using namespace qovtest;

namespace {

// A window of the process with this caption, owned by `owner`.
HWND FindOwned(DWORD processId, HWND owner, const char* caption) {
  for (HWND hwnd : TopLevelWindows(processId))
    if (GetWindow(hwnd, GW_OWNER) == owner && WindowText(hwnd) == caption) return hwnd;
  return nullptr;
}

TEST(SystemMenu, CommandsReachTheirHandlersInTheProgram) {
  WindowHost host;
  ASSERT_TRUE(host.Start({"CabinetWClass|Folder|10,10,200,150|"}));
  RunningProgram program("Menu");
  ASSERT_TRUE(program.Start());
  HWND main = program.Main();

  // The about box and the resource display: modal dialogs over the main window.
  const struct {
    UINT id;
    const char* caption;
  } dialogs[] = {{16, "ﾊﾞｰｼﾞｮﾝ情報 QovDesktop"}, {103, "リソースの表示　－Qovデスクトップ－"}};
  for (const auto& command : dialogs) {
    PostMessageA(main, WM_SYSCOMMAND, command.id, 0);
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
      return (dialog = FindOwned(program.Proc().Id(), main, command.caption)) != nullptr;
    })) << command.id;
    EXPECT_FALSE(IsWindowEnabled(main)) << command.id;
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog) && IsWindowEnabled(main); }))
        << command.id;
  }

  PostMessageA(main, WM_SYSCOMMAND, 105, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(host.Windows()[0]); }));

  PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(program.EndsWithin(5000));
}

}  // namespace
