// The wallpaper rotation, driven through the main window's timer 2 with real
// bitmaps on disk.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/QovDesktopDialog.h"
#include "support/app_fixture.h"
#include "support/testsupport.h"

using namespace qovtest;

namespace {

// Where a wallpaper set for the session only is kept.  Every process keeps
// its own copy of what it read first, so only the registry tells what the
// last change set.
constexpr char kSessionDesktopKey[] = "Software\\Wine\\Temporary System Parameters\\Control Panel\\Desktop";
constexpr char kProfileDesktopKey[] = "Control Panel\\Desktop";

std::string ReadString(const char* keyPath, const char* value) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return "";
  char text[1024] = "";
  DWORD size = sizeof(text) - 1, type = 0;
  if (RegQueryValueExA(key, value, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) !=
      ERROR_SUCCESS)
    text[0] = '\0';
  RegCloseKey(key);
  return text;
}

std::string CurrentWallPaper() { return ReadString(kSessionDesktopKey, "Wallpaper"); }

// A 1 × 1 bitmap.
bool WriteBitmap(const std::string& path) {
  unsigned char file[58] = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,
                            40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0};
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return false;
  bool written = std::fwrite(file, sizeof(file), 1, out) == 1;
  return std::fclose(out) == 0 && written;
}

// The names a "*.bmp" search of `dir` gives, in its own order.
std::vector<std::string> SearchOrder(const std::string& dir, bool* directoryFound = nullptr) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((dir + "\\*.bmp").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (directoryFound) *directoryFound = true;
    } else {
      names.push_back(found.cFileName);
    }
  } while (FindNextFileA(find, &found));
  FindClose(find);
  return names;
}

// A folder of the test's own in the temporary folder.  On code page 932 its
// name ends in "表", whose second byte is a backslash's; on 1252 in "é",
// whose byte is a lead byte in 932.  Removed with what is in it.
class TempDir {
 public:
  explicit TempDir(const char* tag) {
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    char name[64];
    std::snprintf(name, sizeof(name), "qov%s%lu%s", tag, GetCurrentProcessId(),
                  GetACP() == 932 ? "壁紙表" : "\xE9");
    m_path = std::string(temp) + name;
    CreateDirectoryA(m_path.c_str(), nullptr);
  }
  ~TempDir() {
    for (const std::string& file : m_files) DeleteFileA(file.c_str());
    RemoveDirectoryA(m_path.c_str());
  }
  const std::string& Path() const { return m_path; }
  // Every file is a bitmap, whatever its name.
  void AddFile(const std::string& name) {
    m_files.push_back(m_path + "\\" + name);
    ASSERT_TRUE(WriteBitmap(m_files.back())) << m_files.back();
  }

 private:
  std::string m_path;
  std::vector<std::string> m_files;
};

class WallPaper : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    m_original = CurrentWallPaper();
    m_profileWallPaper = ReadString(kProfileDesktopKey, "Wallpaper");
  }
  void TearDown() override {
    // The rotation never writes the user's profile.
    EXPECT_EQ(ReadString(kProfileDesktopKey, "Wallpaper"), m_profileWallPaper);
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, &m_original[0], 0);
    AppTest::TearDown();
  }

  void StoreDirectory(const std::string& dir) {
    SetRaw(m_key + "\\Setting", "Wall paper directory", REG_SZ, dir.c_str(),
           static_cast<DWORD>(dir.size() + 1));
  }
  static void Tick(const CQovDesktopDialog& dialog, UINT_PTR timer) {
    SendMessageA(dialog.m_hWnd, WM_TIMER, timer, 0);
  }

  std::string m_original, m_profileWallPaper;
};

// Timer 2 first looks at the active window, then sets the next bitmap of the
// directory; every search it makes is closed again.  Which entry comes next
// in every case is the rotation rules' matter (native tests); here the
// directory is stored with a trailing backslash after a character whose last
// byte may pass for one.
TEST_F(WallPaper, Timer2FollowsThenStepsThroughTheBitmapsClosingEachSearch) {
  // Run once more on code page 1252 (app_tests_cp1252).
  if (const char* acp = std::getenv("QOV_ACP")) {
    ASSERT_EQ(GetACP(), std::strtoul(acp, nullptr, 10));
  }
  TempDir dir("order");
  for (const char* name : {"A.bmp", "B.bmp", "C.bmp", "readme.txt"}) dir.AddFile(name);
  const std::vector<std::string> order = SearchOrder(dir.Path());
  ASSERT_EQ(order.size(), 3u);
  WindowHost host;
  ASSERT_TRUE(host.Start({"|Active one|130,140,300,200|"}));
  StoreDirectory(dir.Path() + "\\");
  CQovDesktopDialog dialog;
  const std::string before = CurrentWallPaper();
  ASSERT_TRUE(dialog.Create());
  EXPECT_EQ(CurrentWallPaper(), before);  // nothing at start-up
  ASSERT_TRUE(Activate(host.Find("Active one")));
  Tick(dialog, CQovDesktopDialog::kWallPaperTimer);
  EXPECT_EQ(dialog.m_strLastActiveTitle, "Active one");
  EXPECT_EQ(dialog.m_nRecordedLeft, 130);
  EXPECT_EQ(dialog.m_nRecordedTop, 140);

  // An open search holds a handle, or under Wine, for a small directory read
  // whole, a heap block with the listing.
  const int handles = OpenHandles();
  const size_t heap = HeapBytesInUse();
  for (int round = 0; round < 8; ++round) {
    EXPECT_EQ(CurrentWallPaper(), dir.Path() + "\\" + order[(round + 1) % 3]) << round;
    Tick(dialog, CQovDesktopDialog::kWallPaperTimer);
  }
  EXPECT_LE(OpenHandles(), handles + 2);
  EXPECT_LT(HeapBytesInUse(), heap + 4096);
  dialog.DestroyWindow();
}

TEST_F(WallPaper, UsesTheWindowsDirectoryWhenNoneIsStored) {
  char windows[MAX_PATH] = "";
  GetWindowsDirectoryA(windows, MAX_PATH);
  std::vector<std::string> added;
  for (int i = 0; i < 2; ++i) {
    added.push_back(std::string(windows) + "\\qovtest" + std::to_string(GetCurrentProcessId()) +
                    "_" + std::to_string(i) + ".bmp");
    ASSERT_TRUE(WriteBitmap(added.back()));
  }
  bool directoryFound = false;
  const std::vector<std::string> order = SearchOrder(windows, &directoryFound);
  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  Tick(dialog, CQovDesktopDialog::kWallPaperTimer);
  dialog.DestroyWindow();
  for (const std::string& file : added) DeleteFileA(file.c_str());

  ASSERT_GE(order.size(), 2u);
  ASSERT_FALSE(directoryFound);
  EXPECT_EQ(CurrentWallPaper(), std::string(windows) + "\\" + order[1]);
}

}  // namespace
