// The small rules of core/: names, close filters, digit groups, item id
// lists, stored values and the settings sheet's fields.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <cstdint>
#include <string>
#include <vector>

#include "core/appname.h"
#include "core/remote.h"
#include "core/closefilter.h"
#include "core/grouping.h"
#include "core/idlist.h"
#include "core/settings_rules.h"
#include "core/settings_sheet.h"

using namespace core;

TEST(ApplicationName, IsTheFileNameInItsOwnCaseWithoutItsLastExtension) {
  EXPECT_EQ(ApplicationNameFromPath("c:\\Program Files\\qovDESKTOP.exe"), "qovDESKTOP");
  EXPECT_EQ(ApplicationNameFromPath("C:\\tools.v2\\QovDesktop"), "QovDesktop");
  EXPECT_EQ(ReplaceExtension("C:\\a.b\\Qov.Desktop.exe", ".HLP"), "C:\\a.b\\Qov.Desktop.HLP");
  EXPECT_EQ(ReplaceExtension("C:\\a.b\\QovDesktop", ".HLP"), "C:\\a.b\\QovDesktop.HLP");
}

TEST(CloseFilter, EachCommandChoosesItsOwnWindows) {
  auto closes = [](long selector, const char* className, const char* title, bool visible,
                   bool ours = false, bool cloaked = false) {
    return ShouldCloseWindow(selector, {className, title, visible, ours, cloaked});
  };
  // Folders and browsers by a part of the class name, in its case, shown or not.
  EXPECT_TRUE(closes(CLOSE_FOLDERS, "MyCabinetWClass2", "", false));
  EXPECT_TRUE(closes(CLOSE_BROWSERS, "XIEFrameY", "Qovデスクトップ", false));
  EXPECT_FALSE(closes(CLOSE_BROWSERS, "cabinetwclass", "IEFrame", true));
  EXPECT_FALSE(closes(CLOSE_FOLDERS, "CabinetWClass", "", true, false, true));
  // Applications: shown and titled, but neither ours, cloaked nor the shell's desktop.
  EXPECT_TRUE(closes(CLOSE_APPLICATIONS, "Notepad", "無題 - メモ帳", true));
  EXPECT_FALSE(closes(CLOSE_APPLICATIONS, "Notepad", "無題 - メモ帳", false));
  EXPECT_FALSE(closes(CLOSE_APPLICATIONS, "Shell_TrayWnd", "", true));
  EXPECT_FALSE(closes(CLOSE_APPLICATIONS, "#32770", "QovDesktop", true, true));
  EXPECT_FALSE(closes(CLOSE_APPLICATIONS, "Windows.UI.Core.CoreWindow", "Start", true, false, true));
  EXPECT_FALSE(closes(CLOSE_APPLICATIONS, "X", "My Program Manager 2", true));
}

TEST(GroupDigits, RightAlignedInFifteenWithACommaBeforeEveryThirdDigit) {
  EXPECT_EQ(GroupDigits(INT64_C(2147483648)), "  2,147,483,648");  // past 32 bits
  EXPECT_EQ(GroupDigits(INT64_C(999999999999)), "999,999,999,999");
  EXPECT_EQ(GroupByteCount(UINT64_MAX), "18,446,744,073,709,551,615");  // wider
  // The sign stands before the first digit, never a comma between them.
  EXPECT_EQ(GroupDigits(-100000), "       -100,000");
  EXPECT_EQ(GroupDigits(INT64_MIN), "-9,223,372,036,854,775,808");
}

using Bytes = std::vector<unsigned char>;

// Lists as bytes: each element starts with its 16-bit count, a zero count ends the list.
TEST(IdList, SizesJoinsAndFirstElementsEndWithOneTerminator) {
  const Bytes a = {4, 0, 1, 2, 3, 0, 3, 0, 0}, b = {5, 0, 4, 5, 6, 0, 0};
  Bytes big = {0x2E, 0x01};  // one element of 302 bytes
  big.resize(0x12E + 2, 0);
  EXPECT_EQ(IdListSize(big.data()), 0x130u);
  const Bytes broken = {4, 0, 7, 7, 1, 0, 0, 0};  // a count of 1 is no element: the end
  EXPECT_EQ(IdListSize(broken.data()), 6u);
  EXPECT_EQ(IdListSize(nullptr), 2u);  // a missing list is the empty one
  Bytes joined(JoinedIdListSize(a.data(), b.data()), 0xCC);
  JoinIdLists(joined.data(), a.data(), b.data());
  EXPECT_EQ(joined, (Bytes{4, 0, 1, 2, 3, 0, 3, 5, 0, 4, 5, 6, 0, 0}));
  Bytes first(FirstIdSize(a.data()), 0xCC);
  CopyFirstId(first.data(), a.data());
  EXPECT_EQ(first, (Bytes{4, 0, 1, 2, 0, 0}));
}

TEST(SettingsRules, WallPaperTimerOfAtLeastAMinuteAndValuesFromRawBytes) {
  EXPECT_EQ(WallPaperTimerPeriod(INT_MIN), 60000u);
  // 35791 minutes is the last that fits below 2^31 ms.
  EXPECT_EQ(WallPaperTimerPeriod(35791), 35791u * 60000u);
  EXPECT_EQ(WallPaperTimerPeriod(71583), kMaxTimerPeriod);  // would wrap to 19 ms in 32 bits
  // Values from their raw registry bytes.
  const unsigned char dword[] = {0x78, 0x56, 0x34, 0x12};
  EXPECT_EQ(IntFromValueBytes(dword, 4, 7), 0x12345678);
  const unsigned char qword[] = {1, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(IntFromValueBytes(qword, 8, 7), 7);
  const unsigned char inner[] = {'a', 0, 'b', 0};
  EXPECT_EQ(StringFromValueBytes(inner, 4), "a");
  const unsigned char bare[] = {0x95, 0x5C, 0x8E, 0xA6};  // "表示" stored without its NUL
  EXPECT_EQ(StringFromValueBytes(bare, 4), std::string("\x95\x5C\x8E\xA6"));
}

TEST(SettingsSheet, SpinStepsEditNumbersAndScreenCounts) {
  // Spin arrows step by the proposal, with a floor of one.
  EXPECT_EQ(SpinStep(3, -1), 4);  // up arrow
  EXPECT_EQ(SpinStep(3, +1), 2);  // down arrow
  EXPECT_EQ(SpinStep(INT_MAX, -1), INT_MAX);
  // Edit text is a whole number or zero.
  EXPECT_EQ(EditInteger("  +42 "), 42);
  EXPECT_EQ(EditInteger("-2147483648"), INT_MIN);
  for (const char* zero : {"", "3x", "-", "1 2", "3.0", "2147483648", "\x82\x52"})
    EXPECT_EQ(EditInteger(zero), 0) << zero;
  // Screen counts stay within what the scroll bars carry.
  EXPECT_EQ(ClampScreenCount(-3, 1280), 1);
  EXPECT_EQ(ClampScreenCount(27, 1280), 26);  // 26 end at 32000
}

TEST(CommandLine, StartersSendOneCommandAndTheProgramTakesOnlyThat) {
  EXPECT_EQ(ArgumentsOf("\"C:\\My Tools\\Qov.exe\" /page 2,1"), " /page 2,1");
  EXPECT_EQ(ArgumentsOf("Qov.exe"), "");
  EXPECT_EQ(ParseArguments("").command, Remote::kNone);
  EXPECT_EQ(ParseArguments("  /?").command, Remote::kUsage);
  EXPECT_EQ(ParseArguments("-OVERVIEW").command, Remote::kOverview);
  const RemoteCommand at = ParseArguments("/Page \"2,13\"");
  EXPECT_TRUE(at.command == Remote::kPage && at.move == PageMove::kAt && at.col == 2 && at.row == 13);
  EXPECT_EQ(ParseArguments("/page Right").move, PageMove::kRight);
  for (const char* bad : {"/page", "/page 0,1", "/page 2,", "/page -1,2", "/page 2,1x", "/page 1000,1",
                          "/page 2, 1", "/pag right", "/gather now", "gather", "/", "/exit /exit"})
    EXPECT_EQ(ParseArguments(bad).command, Remote::kBad) << bad;
  // What travels is the text of the command, ending in its only NUL.
  const std::string sent = RemoteText(at);
  EXPECT_EQ(sent, "/page 2,13");
  EXPECT_EQ(ParseRemoteText(sent.c_str(), sent.size() + 1).row, 13);
  EXPECT_EQ(ParseRemoteText(sent.c_str(), sent.size()).command, Remote::kBad);  // no NUL
  const char inner[] = "/pin\0/exit";
  EXPECT_EQ(ParseRemoteText(inner, sizeof(inner)).command, Remote::kBad);
  const std::string longer = "/gather" + std::string(60, ' ');
  EXPECT_EQ(ParseRemoteText(longer.c_str(), longer.size() + 1).command, Remote::kBad);
  for (const char* never : {"", "/?", "/GATHER", "/page  left"})
    EXPECT_EQ(ParseRemoteText(never, std::strlen(never) + 1).command, Remote::kBad) << never;
  EXPECT_EQ(ParseRemoteText(nullptr, 4).command, Remote::kBad);
  // The starter's exit code from the answer.
  EXPECT_EQ(ExitCodeFor(true, kTaken), kExitDone);
  EXPECT_EQ(ExitCodeFor(true, kPageOutside), kExitUsage);
  EXPECT_EQ(ExitCodeFor(true, kRefused), kExitNoAnswer);
  EXPECT_EQ(ExitCodeFor(false, kTaken), kExitNoAnswer);
}

TEST(RunValue, NamesTheProgramQuotedWhateverTheCaseOfItsLetters) {
  EXPECT_EQ(RunValueFor(u"C:\\My Tools\\QovDesktop.exe"), u"\"C:\\My Tools\\QovDesktop.exe\"");
  EXPECT_TRUE(RunValueNames(u"\"c:\\my tools\\QOVDESKTOP.EXE\"", u"C:\\My Tools\\QovDesktop.exe"));
  EXPECT_TRUE(RunValueNames(u"C:\\ツール\\QovDesktop.exe", u"C:\\ツール\\QovDesktop.exe"));
  EXPECT_FALSE(RunValueNames(u"\"C:\\Old\\QovDesktop.exe\"", u"C:\\New\\QovDesktop.exe"));
  EXPECT_FALSE(RunValueNames(u"\"C:\\Tools\\QovDesktop.exe\" /x", u"C:\\Tools\\QovDesktop.exe"));
  EXPECT_FALSE(RunValueNames(u"", u""));
}
