// The resource display hosted in the test process, its figures from stand-ins.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "resdisplay/ResourceDialog.h"
#include "support/app_fixture.h"

using namespace qovtest;

// Points this program's calls of a kernel32 function at a stand-in while it
// lives: the resource display, linked in, calls through the same import slot.
struct StandIn {
  StandIn(const char* name, const void* function)
      : original(reinterpret_cast<const void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), name))),
        standIn(function),
        redirected(RedirectImport(GetModuleHandleA(nullptr), original, standIn)) {}
  ~StandIn() {
    if (redirected) RedirectImport(GetModuleHandleA(nullptr), standIn, original);
  }
  const void* original;
  const void* standIn;
  bool redirected;
};

// Drives A: (a floppy), C:, D: (no medium) and E:; with quotas the volume has
// more free bytes than the user may still use.
static DWORD WINAPI LogicalDrives() { return 0x1D; }
static UINT WINAPI DriveType(LPCSTR root) { return root[0] == 'A' ? DRIVE_REMOVABLE : DRIVE_FIXED; }
static BOOL WINAPI DiskFreeSpace(LPCSTR root, PULARGE_INTEGER mine, PULARGE_INTEGER total,
                                 PULARGE_INTEGER volumeFree) {
  EXPECT_NE(root[0], 'A') << "a floppy would spin up every second";
  if (root[0] == 'D') return FALSE;
  if (mine) mine->QuadPart = root[0] == 'C' ? 123456789012 : 222222222222;
  if (total) total->QuadPart = root[0] == 'C' ? 987654321098 : 333333333333;
  if (volumeFree) volumeFree->QuadPart = 555555555555;
  return TRUE;
}
static BOOL WINAPI MemoryStatus(LPMEMORYSTATUSEX status) {
  *status = {sizeof(MEMORYSTATUSEX), 50, 800000000000, 300000000000, 0, 0, 140737488224256,
             140000000000000,        0};
  return TRUE;
}

class ResourceDisplay : public AppTest {};

TEST_F(ResourceDisplay, ShowsEachFigureInItsPlace) {
  const StandIn standIns[] = {{"GetLogicalDrives", reinterpret_cast<void*>(LogicalDrives)},
                              {"GetDriveTypeA", reinterpret_cast<void*>(DriveType)},
                              {"GetDiskFreeSpaceExA", reinterpret_cast<void*>(DiskFreeSpace)},
                              {"GlobalMemoryStatusEx", reinterpret_cast<void*>(MemoryStatus)}};
  for (const StandIn& standIn : standIns) ASSERT_TRUE(standIn.redirected);
  CResourceDialog dialog;
  ASSERT_TRUE(dialog.Create());
  const HWND list = GetDlgItem(dialog.m_hWnd, IDC_DRIVE_LIST);
  std::string rows;  // a line a row, its columns apart by a blank
  char text[64];
  for (int cell = 0; cell < ListView_GetItemCount(list) * 3; ++cell) {
    ListView_GetItemText(list, cell / 3, cell % 3, text, sizeof(text));
    rows += text + std::string(cell % 3 < 2 ? " " : "\n");
  }
  EXPECT_EQ(rows, "C 123,456,789,012 987,654,321,098\nE 222,222,222,222 333,333,333,333\n");
  std::string figures;
  for (int id : {IDC_PHYSICAL_FREE, IDC_PHYSICAL_TOTAL, IDC_VIRTUAL_FREE, IDC_VIRTUAL_TOTAL})
    figures += WindowText(GetDlgItem(dialog.m_hWnd, id)) + " ";
  EXPECT_EQ(figures, "300,000,000,000 800,000,000,000 140,000,000,000,000 140,737,488,224,256 ");
}
