// QovDesktop.exe started for real, in processes of its own.
#include <gtest/gtest.h>

#include <string>

#include "support/testsupport.h"

using namespace qovtest;

static bool EndsOnKeys(RunningProgram& program, std::initializer_list<BYTE> keys) {
  if (!Activate(program.Main())) return false;
  for (BYTE key : keys) keybd_event(key, 0, 0, 0);
  for (BYTE key : keys) keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
  DWORD exitCode = 1;
  return program.EndsWithin(5000, &exitCode) && exitCode == 0;
}

// A start makes the sections, empty, under the copy's own name and shows
// besides its two bars a main window that is not seen.  A second start on
// the same desktop, under another name, ends at once without a key.
TEST(Startup, OneUnseenViewPerDesktopWhateverTheFileName) {
  AppKeyGuard delivered("QovDesktop");
  RunningProgram first("NameA"), second("NameB");
  ASSERT_TRUE(first.Start());
  EXPECT_TRUE(KeyExists(first.Key() + "\\Screen") && KeyExists(first.Key() + "\\Setting"));
  EXPECT_EQ(ValueCount(first.Key() + "\\Screen") + ValueCount(first.Key() + "\\Setting"), 0);
  EXPECT_FALSE(KeyExists("Software\\QovSoft\\QovDesktop"));
  EXPECT_EQ(TopLevelWindows(first.Proc().Id()).size(), 3u);
  EXPECT_TRUE(GetWindowLongA(first.Main(), GWL_EXSTYLE) & WS_EX_APPWINDOW);  // a taskbar button
  const RECT window = WindowRect(first.Main());
  RECT overlap, screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  EXPECT_FALSE(IntersectRect(&overlap, &window, &screen));
  EXPECT_FALSE(second.Start());
  EXPECT_TRUE(second.EndsWithin(3000));
  EXPECT_FALSE(KeyExists(second.Key()));
  // Escape, Enter or Alt+F4 end the program; then the other name starts.
  EXPECT_TRUE(EndsOnKeys(first, {VK_ESCAPE}));
  ASSERT_TRUE(second.Start());
  EXPECT_TRUE(EndsOnKeys(second, {VK_MENU, VK_F4}));
  ASSERT_TRUE(first.Start());
  EXPECT_TRUE(EndsOnKeys(first, {VK_RETURN}));
}

// The release package, unpacked into a fresh folder by package_start: the
// program starts from there with the library beside it, shows its window and
// two bars, and ends.
TEST(Package, StartsFromItsUnpackedFolder) {
  const std::string dir = DirFromEnv("QOV_PACKAGE_DIR");
  if (dir.empty()) GTEST_SKIP() << "run by the package_start test";
  AppKeyGuard delivered("QovDesktop");
  Process program;
  ASSERT_TRUE(program.Start("\"" + dir + "\\QovDesktop.exe\"", dir));
  EXPECT_TRUE(WaitUntil([&] { return TopLevelWindows(program.Id()).size() == 3; }, 10000));
  PostMessageA(FindWindowA(nullptr, "Qovデスクトップ"), WM_SYSCOMMAND, SC_CLOSE, 0);
  DWORD exitCode = 1;
  EXPECT_TRUE(program.WaitForExit(5000, &exitCode));
  EXPECT_EQ(exitCode, 0u);
}
