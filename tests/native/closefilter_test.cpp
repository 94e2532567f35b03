#include "core/closefilter.h"

#include <gtest/gtest.h>

using namespace core;

TEST(CloseFilter, FolderAndBrowserWindowsByClassVisibleOrNot) {
  for (bool visible : {true, false}) {
    EXPECT_TRUE(ShouldCloseWindow(CLOSE_FOLDERS, "CabinetWClass", "", visible));
    EXPECT_TRUE(ShouldCloseWindow(CLOSE_FOLDERS, "MyCabinetWClass2", "x", visible));
    EXPECT_TRUE(ShouldCloseWindow(CLOSE_BROWSERS, "IEFrame", "Qovデスクトップ", visible));
    EXPECT_TRUE(ShouldCloseWindow(CLOSE_BROWSERS, "XIEFrameY", "", visible));
  }
  // Each command keeps to its own class; case counts.
  EXPECT_FALSE(ShouldCloseWindow(CLOSE_FOLDERS, "IEFrame", "CabinetWClass", true));
  EXPECT_FALSE(ShouldCloseWindow(CLOSE_BROWSERS, "CabinetWClass", "IEFrame", true));
  EXPECT_FALSE(ShouldCloseWindow(CLOSE_FOLDERS, "cabinetwclass", "", true));
  EXPECT_FALSE(ShouldCloseWindow(CLOSE_FOLDERS, "CabinetW", "", true));
  EXPECT_FALSE(ShouldCloseWindow(CLOSE_BROWSERS, "IEFram", "", true));
  EXPECT_FALSE(ShouldCloseWindow(CLOSE_FOLDERS, "", "", true));
}

TEST(CloseFilter, ApplicationsAreVisibleTitledWindowsButOursAndTheDesktop) {
  EXPECT_TRUE(ShouldCloseWindow(CLOSE_APPLICATIONS, "Notepad", "無題 - メモ帳", true));
  EXPECT_TRUE(ShouldCloseWindow(CLOSE_APPLICATIONS, "#32770", "x", true));
  EXPECT_TRUE(ShouldCloseWindow(CLOSE_APPLICATIONS, "CabinetWClass", "C:\\", true));
  EXPECT_FALSE(ShouldCloseWindow(CLOSE_APPLICATIONS, "Notepad", "無題 - メモ帳", false));
  EXPECT_FALSE(ShouldCloseWindow(CLOSE_APPLICATIONS, "Shell_TrayWnd", "", true));
  EXPECT_FALSE(ShouldCloseWindow(CLOSE_APPLICATIONS, "#32770", "Qovデスクトップ", true));
  EXPECT_FALSE(
      ShouldCloseWindow(CLOSE_APPLICATIONS, "#32770", "リソースの表示　－Qovデスクトップ－", true));
  EXPECT_FALSE(ShouldCloseWindow(CLOSE_APPLICATIONS, "Progman", "Program Manager", true));
  EXPECT_FALSE(ShouldCloseWindow(CLOSE_APPLICATIONS, "X", "My Program Manager 2", true));
  // Case-sensitive: other spellings are other programs' windows.
  EXPECT_TRUE(ShouldCloseWindow(CLOSE_APPLICATIONS, "X", "program manager", true));
  EXPECT_TRUE(ShouldCloseWindow(CLOSE_APPLICATIONS, "X", "QovDesktop", true));
}

TEST(CloseFilter, UnknownSelectorsCloseNothing) {
  for (long selector : {0L, 9000L, 9003L, 9010L, 9012L, -9001L})
    EXPECT_FALSE(ShouldCloseWindow(selector, "CabinetWClass", "IEFrame", true)) << selector;
}
