// The wallpaper rotation, driven through the main window's timer 2 with real
// bitmaps on disk.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

#include "app/QovDesktopDialog.h"
#include "support/app_fixture.h"

using namespace qovtest;

// Where Wine keeps a wallpaper set for the session only.  Every process keeps
// its own copy of what it read first: only the registry tells what was set.
static std::string SessionWallPaper() {
  char text[1024] = "";
  DWORD size = sizeof(text);
  RegGetValueA(HKEY_CURRENT_USER,
               "Software\\Wine\\Temporary System Parameters\\Control Panel\\Desktop", "Wallpaper",
               RRF_RT_REG_SZ, nullptr, text, &size);
  return text;
}
static const char* const kFiles[] = {"\\A.bmp", "\\B.bmp", "\\C.bmp", "\\readme.txt"};

class WallPaper : public AppTest {
 protected:
  void TearDown() override {
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, &m_original[0], 0);
    for (const char* file : kFiles) DeleteFileA((m_dir + file).c_str());
    RemoveDirectoryA(m_dir.c_str());
    AppTest::TearDown();
  }
  std::string m_original = SessionWallPaper(), m_dir;
};

// Timer 2 first looks at the active window, then shows the next bitmap of the
// directory, closing its search again; which one comes next is the rotation
// rules' matter (native tests).  The directory is stored with a trailing
// backslash after a character whose last byte may pass for one: "表" on code
// page 932, and "é" on 1252 (app_tests_cp1252), a lead byte in 932.
TEST_F(WallPaper, Timer2FollowsThenStepsThroughTheBitmapsClosingEachSearch) {
  if (const char* acp = std::getenv("QOV_ACP")) {
    ASSERT_EQ(GetACP(), std::strtoul(acp, nullptr, 10));
  }
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  m_dir = temp + std::to_string(GetCurrentProcessId()) + (GetACP() == 932 ? "壁紙表" : "\xE9");
  ASSERT_TRUE(CreateDirectoryA(m_dir.c_str(), nullptr));
  const unsigned char bitmap[58] = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40,
                                    0,   0,   0,  1, 0, 0, 0, 1, 0, 0, 0,  1, 0, 24};  // 1 x 1
  for (const char* file : kFiles) {
    FILE* out = std::fopen((m_dir + file).c_str(), "wb");
    ASSERT_TRUE(out && std::fwrite(bitmap, sizeof(bitmap), 1, out) == 1 && std::fclose(out) == 0);
  }
  const std::string stored = m_dir + "\\";
  SetRaw(m_key + "\\Setting", "Wall paper directory", REG_SZ, stored.c_str(),
         static_cast<DWORD>(stored.size() + 1));
  WindowHost host;
  ASSERT_TRUE(host.Start({"|Active one|130,140,300,200|"}));
  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  ASSERT_TRUE(Activate(host.Find("Active one")));
  SendMessageA(dialog.m_hWnd, WM_TIMER, CQovDesktopDialog::kWallPaperTimer, 0);
  EXPECT_EQ(dialog.m_strLastActiveTitle, "Active one");
  EXPECT_TRUE(dialog.m_nRecordedLeft == 130 && dialog.m_nRecordedTop == 140);

  // An open search holds a handle, or under Wine, for a small directory read
  // whole, a heap block with the listing.
  const int handles = OpenHandles();
  const size_t heap = HeapBytesInUse();
  std::set<std::string> shown;
  for (int round = 0; round < 8; ++round) {
    shown.insert(SessionWallPaper());
    SendMessageA(dialog.m_hWnd, WM_TIMER, CQovDesktopDialog::kWallPaperTimer, 0);
  }
  EXPECT_EQ(shown,
            (std::set<std::string>{m_dir + kFiles[0], m_dir + kFiles[1], m_dir + kFiles[2]}));
  EXPECT_LE(OpenHandles(), handles + 2);
  EXPECT_LT(HeapBytesInUse(), heap + 4096);
}
