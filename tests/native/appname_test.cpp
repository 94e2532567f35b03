#include "core/appname.h"

#include <gtest/gtest.h>

using core::ApplicationNameFromPath;
using core::ReplaceExtension;

TEST(ApplicationName, TakesTheFileNameWithoutDirectoryAndExtension) {
  EXPECT_EQ(ApplicationNameFromPath("C:\\Program Files\\Qov\\QovDesktop.exe"), "QovDesktop");
  EXPECT_EQ(ApplicationNameFromPath("Z:/tmp/build/QovDesktop.EXE"), "QovDesktop");
  EXPECT_EQ(ApplicationNameFromPath("C:QovDesktop.exe"), "QovDesktop");
  // The case stands as in the file name; it decides the registry key name.
  EXPECT_EQ(ApplicationNameFromPath("c:\\x\\qovDESKTOP.exe"), "qovDESKTOP");
  // Only the last extension goes.
  EXPECT_EQ(ApplicationNameFromPath("C:\\x\\Qov.Desktop.exe"), "Qov.Desktop");
  EXPECT_EQ(ApplicationNameFromPath("QovDesktop"), "QovDesktop");
}

TEST(ApplicationName, ADotInADirectoryNeverCutsTheName) {
  EXPECT_EQ(ApplicationNameFromPath("C:\\tools.v2\\QovDesktop"), "QovDesktop");
  EXPECT_EQ(ApplicationNameFromPath("C:\\tools.v2\\"), "");
  EXPECT_EQ(ApplicationNameFromPath(""), "");
}

TEST(HelpFilePath, ReplacesOnlyTheFileExtension) {
  EXPECT_EQ(ReplaceExtension("C:\\a\\QovDesktop.exe", ".HLP"), "C:\\a\\QovDesktop.HLP");
  EXPECT_EQ(ReplaceExtension("C:\\a.b\\QovDesktop", ".HLP"), "C:\\a.b\\QovDesktop.HLP");
  EXPECT_EQ(ReplaceExtension("C:\\a\\Qov.Desktop.exe", ".HLP"), "C:\\a\\Qov.Desktop.HLP");
}

TEST(ViewLock, OneNamePerDesktopWhateverTheFileName) {
  EXPECT_EQ(core::ViewLockName("Default"), core::ViewLockName("Default"));
  EXPECT_NE(core::ViewLockName("Default"), core::ViewLockName("Other"));
  // A backslash would name a kernel namespace instead of a lock.
  EXPECT_EQ(core::ViewLockName("a\\b").find('\\'), std::string::npos);
}
