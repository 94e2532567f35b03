#include "core/appname.h"

#include <gtest/gtest.h>

using core::ApplicationNameFromPath;

TEST(ApplicationName, IsTheFileNameInItsOwnCaseWithoutItsLastExtension) {
  EXPECT_EQ(ApplicationNameFromPath("c:\\Program Files\\qovDESKTOP.exe"), "qovDESKTOP");
  EXPECT_EQ(ApplicationNameFromPath("Z:/tmp/Qov.Desktop.EXE"), "Qov.Desktop");
  EXPECT_EQ(ApplicationNameFromPath("C:QovDesktop.exe"), "QovDesktop");
  EXPECT_EQ(ApplicationNameFromPath("C:\\tools.v2\\QovDesktop"), "QovDesktop");
  EXPECT_EQ(core::ReplaceExtension("C:\\a.b\\QovDesktop", ".HLP"), "C:\\a.b\\QovDesktop.HLP");
  EXPECT_EQ(core::ReplaceExtension("C:\\a\\Qov.Desktop.exe", ".HLP"), "C:\\a\\Qov.Desktop.HLP");
  // A backslash in the lock's name would name a kernel namespace instead.
  EXPECT_EQ(core::ViewLockName("a\\b").find('\\'), std::string::npos);
}
