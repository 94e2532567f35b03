#include "core/closefilter.h"

#include <gtest/gtest.h>

using namespace core;

TEST(CloseFilter, EachCommandChoosesItsOwnWindows) {
  // Folders and browsers by a part of the class name, in its case, shown or not.
  EXPECT_TRUE(ShouldCloseWindow(CLOSE_FOLDERS, "MyCabinetWClass2", "", false));
  EXPECT_TRUE(ShouldCloseWindow(CLOSE_BROWSERS, "XIEFrameY", "Qovデスクトップ", false));
  EXPECT_FALSE(ShouldCloseWindow(CLOSE_BROWSERS, "cabinetwclass", "IEFrame", true));
  // Applications: shown and titled, but neither ours nor the shell's desktop.
  EXPECT_TRUE(ShouldCloseWindow(CLOSE_APPLICATIONS, "Notepad", "無題 - メモ帳", true));
  EXPECT_FALSE(ShouldCloseWindow(CLOSE_APPLICATIONS, "Notepad", "無題 - メモ帳", false));
  EXPECT_FALSE(ShouldCloseWindow(CLOSE_APPLICATIONS, "Shell_TrayWnd", "", true));
  EXPECT_FALSE(ShouldCloseWindow(CLOSE_APPLICATIONS, "#32770", "x Qovデスクトップ x", true));
  EXPECT_FALSE(ShouldCloseWindow(CLOSE_APPLICATIONS, "X", "My Program Manager 2", true));
}
