#include "core/appname.h"

#include <gtest/gtest.h>

TEST(ApplicationName, IsTheFileNameInItsOwnCaseWithoutItsLastExtension) {
  EXPECT_EQ(core::ApplicationNameFromPath("c:\\Program Files\\qovDESKTOP.exe"), "qovDESKTOP");
  EXPECT_EQ(core::ApplicationNameFromPath("C:\\tools.v2\\QovDesktop"), "QovDesktop");
  EXPECT_EQ(core::ReplaceExtension("C:\\a.b\\Qov.Desktop.exe", ".HLP"), "C:\\a.b\\Qov.Desktop.HLP");
  EXPECT_EQ(core::ReplaceExtension("C:\\a.b\\QovDesktop", ".HLP"), "C:\\a.b\\QovDesktop.HLP");
}
