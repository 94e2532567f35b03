// QovDesktop.exe started for real, in processes of its own.
#include <gtest/gtest.h>

#include <string>

#include "support/testsupport.h"

using namespace qovtest;

// A start makes empty sections under the copy's own name and shows two bars and
// an unseen main window; a second start on the desktop, by any name, ends at once.
TEST(Startup, OneUnseenViewPerDesktopWhateverTheFileName) {
  RunningProgram first("NameA"), second("NameB");
  ASSERT_TRUE(first.Start());
  EXPECT_TRUE(KeyExists(first.Key() + "\\Screen") && KeyExists(first.Key() + "\\Setting"));
  EXPECT_EQ(ValueCount(first.Key() + "\\Screen") + ValueCount(first.Key() + "\\Setting"), 0);
  EXPECT_EQ(TopLevelWindows(first.Proc().Id()).size(), 3u);
  EXPECT_TRUE(GetWindowLongA(first.Main(), GWL_EXSTYLE) & WS_EX_APPWINDOW);  // a taskbar button
  const RECT window = WindowRect(first.Main());
  RECT overlap, screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  EXPECT_FALSE(IntersectRect(&overlap, &window, &screen));
  EXPECT_FALSE(second.Start());
  EXPECT_TRUE(second.EndsWithin(3000));
  EXPECT_FALSE(KeyExists(second.Key()));
  // Escape ends the program; then the other name starts.
  ASSERT_TRUE(Activate(first.Main()));
  keybd_event(VK_ESCAPE, 0, 0, 0);
  keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
  DWORD exitCode = 1;
  EXPECT_TRUE(first.EndsWithin(5000, &exitCode) && exitCode == 0);
  ASSERT_TRUE(second.Start());
  PostMessageA(second.Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(second.EndsWithin(5000));
}

// The release package, unpacked into a fresh folder by package_start, starts
// from there with the library beside it, shows its window and bars, and ends.
TEST(Package, StartsFromItsUnpackedFolder) {
  const std::string dir = DirFromEnv("QOV_PACKAGE_DIR");
  if (dir.empty()) GTEST_SKIP() << "run by the package_start test";
  AppKeyGuard delivered("QovDesktop");
  Process program;
  ASSERT_TRUE(program.Start("\"" + dir + "\\QovDesktop.exe\"", dir));
  EXPECT_TRUE(WaitUntil([&] { return TopLevelWindows(program.Id()).size() == 3; }, 10000));
  PostMessageA(FindWindowA(nullptr, "Qovデスクトップ"), WM_SYSCOMMAND, SC_CLOSE, 0);
  DWORD exitCode = 1;
  EXPECT_TRUE(program.WaitForExit(5000, &exitCode) && exitCode == 0);
}
