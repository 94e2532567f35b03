// The main window hosted in the test process: its timers, and the wallpaper
// rotation with real bitmaps on disk.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "app/QovDesktopDialog.h"
#include "support/app_fixture.h"

using namespace qovtest;

// The follow timer's ticks as the queue hands them out; 0 for another timer's.
static std::vector<DWORD> g_ticks;
static LRESULT CALLBACK NoteTimer(int code, WPARAM removed, LPARAM lParam) {
  const MSG* msg = reinterpret_cast<const MSG*>(lParam);
  if (code == HC_ACTION && removed == PM_REMOVE && msg->message == WM_TIMER)
    g_ticks.push_back(msg->wParam == CQovDesktopDialog::kFollowTimer ? GetTickCount() : 0);
  return CallNextHookEx(nullptr, code, removed, lParam);
}

// A wallpaper set for the session only, as Wine keeps it (not per process).
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

// The follow timer ticks every second, timer 2 after the interval (-10 gives a
// minute); it follows the active window, then shows the next bitmap and closes
// its search.  The directory ends in a backslash after "表" (0x95 0x5C) on code
// page 932, after "é", a lead byte in 932, on 1252 (app_tests_cp1252).
TEST_F(WallPaper, Timer2ComesAfterTheIntervalFollowsAndStepsThroughTheBitmaps) {
  const char* acp = std::getenv("QOV_ACP");
  ASSERT_EQ(GetACP(), acp ? std::strtoul(acp, nullptr, 10) : 932u);
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
  m_app.WriteStringSetting("Setting", "Wall paper directory", m_dir + "\\");
  SetDword(m_key + "\\Setting", "Wall paper interval", 0xFFFFFFF6u);
  WindowHost host;
  ASSERT_TRUE(host.Start({"|Active one|130,140,300,200|"}));
  HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, NoteTimer, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  Pump(3400);
  UnhookWindowsHookEx(hook);
  ASSERT_GE(g_ticks.size(), 2u);
  for (size_t i = 1; i < g_ticks.size(); ++i) {
    EXPECT_GE(g_ticks[i] - g_ticks[i - 1], 700u);
    EXPECT_LE(g_ticks[i] - g_ticks[i - 1], 1600u);
  }

  ASSERT_TRUE(Activate(host.Find("Active one")));
  SendMessageA(dialog.m_hWnd, WM_TIMER, CQovDesktopDialog::kWallPaperTimer, 0);
  EXPECT_EQ(dialog.m_strLastActiveTitle, "Active one");
  EXPECT_TRUE(dialog.m_nRecordedLeft == 130 && dialog.m_nRecordedTop == 140);
  // An open search holds a handle, or under Wine a heap block with the listing.
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
  EXPECT_TRUE(KillTimer(dialog.m_hWnd, CQovDesktopDialog::kWallPaperTimer));
}
