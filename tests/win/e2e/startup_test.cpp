// QovDesktop.exe started for real, in processes of its own.
#include <gtest/gtest.h>

#include <string>

#include "support/testsupport.h"

using namespace qovtest;

namespace {

void PressKeys(std::initializer_list<WORD> keys) {
  std::vector<INPUT> input;
  for (WORD key : keys) {
    INPUT down = {};
    down.type = INPUT_KEYBOARD;
    down.ki.wVk = key;
    input.push_back(down);
  }
  for (auto it = keys.end(); it != keys.begin();) {
    INPUT up = {};
    up.type = INPUT_KEYBOARD;
    up.ki.wVk = *--it;
    up.ki.dwFlags = KEYEVENTF_KEYUP;
    input.push_back(up);
  }
  SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

TEST(Startup, FreshStartCreatesEmptySectionsAndAnUnseenMainWindow) {
  RunningProgram program("Fresh");
  AppKeyGuard delivered("QovDesktop");
  ASSERT_FALSE(KeyExists(program.Key()));
  ASSERT_TRUE(program.Start());
  HWND main = program.Main();

  EXPECT_TRUE(KeyExists(program.Key() + "\\Screen"));
  EXPECT_TRUE(KeyExists(program.Key() + "\\Setting"));
  EXPECT_EQ(ValueCount(program.Key() + "\\Screen"), 0);
  EXPECT_EQ(ValueCount(program.Key() + "\\Setting"), 0);
  // Nothing under the delivered name: the copy's own name is the key.
  EXPECT_FALSE(KeyExists("Software\\QovSoft\\QovDesktop"));

  LONG exStyle = GetWindowLongA(main, GWL_EXSTYLE);
  EXPECT_TRUE(exStyle & WS_EX_APPWINDOW);
  EXPECT_FALSE(exStyle & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(GetWindowLongA(main, GWL_STYLE) & WS_VISIBLE);
  RECT window, overlap;
  RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  GetWindowRect(main, &window);
  EXPECT_FALSE(IntersectRect(&overlap, &window, &screen))
      << window.left << "," << window.top << "," << window.right << "," << window.bottom;
  // Besides it only the two edge bars can be seen: untitled tool windows.
  std::vector<HWND> shown = TopLevelWindows(program.Proc().Id());
  EXPECT_EQ(shown.size(), 3u);
  for (HWND hwnd : shown) {
    if (hwnd == main) continue;
    EXPECT_EQ(WindowText(hwnd), "");
    EXPECT_TRUE(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(GetWindowLongA(hwnd, GWL_STYLE) & WS_CAPTION);
  }

  PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
  DWORD exitCode = 1;
  EXPECT_TRUE(program.EndsWithin(5000, &exitCode));
  EXPECT_EQ(exitCode, 0u);
}

TEST(Startup, EndsOnEnterEscapeAndAltF4) {
  struct Way {
    const char* name;
    std::initializer_list<WORD> keys;
  } const ways[] = {{"Enter", {VK_RETURN}}, {"Escape", {VK_ESCAPE}}, {"Alt+F4", {VK_MENU, VK_F4}}};
  for (const Way& way : ways) {
    RunningProgram program("Keys");
    ASSERT_TRUE(program.Start()) << way.name;
    ASSERT_TRUE(Activate(program.Main())) << way.name;
    PressKeys(way.keys);
    DWORD exitCode = 1;
    EXPECT_TRUE(program.EndsWithin(5000, &exitCode)) << way.name;
    EXPECT_EQ(exitCode, 0u) << way.name;
  }
}

TEST(Startup, OneViewPerDesktopWhateverTheFileName) {
  RunningProgram first("NameA"), second("NameB");
  ASSERT_TRUE(first.Start());
  SetDword(first.Key() + "\\Screen", "Width", 5);
  // A second start, under another name, ends at once: no window, no bar,
  // not even a key of its own.
  EXPECT_FALSE(second.Start());
  EXPECT_TRUE(second.EndsWithin(3000));
  EXPECT_FALSE(KeyExists(second.Key()));
  EXPECT_TRUE(IsWindow(first.Main()));
  // Once the first has ended, the other name starts, with a key of its own.
  PostMessageA(first.Main(), WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(first.EndsWithin(5000));
  ASSERT_TRUE(second.Start());
  EXPECT_TRUE(KeyExists(second.Key() + "\\Setting"));
  EXPECT_EQ(ValueCount(second.Key() + "\\Screen"), 0);
  EXPECT_EQ(ValueCount(first.Key() + "\\Screen"), 1);
  PostMessageA(second.Main(), WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(second.EndsWithin(5000));
}

TEST(Startup, HelpButtonAsksWindowsHelpForTheHlpFileBesideTheProgram) {
  WinHelpStandIn help;
  RunningProgram program("Help");
  ASSERT_TRUE(program.Start());
  HWND button = GetDlgItem(program.Main(), 0xE146);
  ASSERT_NE(button, nullptr);
  PostMessageA(button, BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !help.Requests().empty(); }));
  std::string expected = program.Copy().Path();
  expected = expected.substr(0, expected.size() - 4) + ".HLP";
  EXPECT_EQ(help.Requests()[0].file, expected);
  EXPECT_NE(help.Requests()[0].command, static_cast<unsigned>(HELP_QUIT));

  // Ending the program tells Windows Help it is no longer needed.
  PostMessageA(program.Main(), WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(program.EndsWithin(5000));
  ASSERT_TRUE(WaitUntil([&] { return help.Requests().size() == 2; }, 2000));
  EXPECT_EQ(help.Requests()[1].command, static_cast<unsigned>(HELP_QUIT));
}

// The release package, unpacked into a fresh folder by package_start: the
// program starts from there with the library beside it, shows its two bars
// and ends.
TEST(Package, StartsFromItsUnpackedFolder) {
  const std::string dir = DirFromEnv("QOV_PACKAGE_DIR");
  if (dir.empty()) GTEST_SKIP() << "run by the package_start test";
  AppKeyGuard delivered("QovDesktop");
  Process program;
  ASSERT_TRUE(program.Start("\"" + dir + "\\QovDesktop.exe\"", dir));
  HWND main = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    for (HWND hwnd : TopLevelWindows(program.Id()))
      if (WindowText(hwnd) == "Qovデスクトップ") main = hwnd;
    return main != nullptr;
  }, 10000));
  EXPECT_EQ(TopLevelWindows(program.Id()).size(), 3u);
  PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
  DWORD exitCode = 1;
  EXPECT_TRUE(program.WaitForExit(5000, &exitCode));
  EXPECT_EQ(exitCode, 0u);
}

}  // namespace
