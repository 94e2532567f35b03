// The resource display hosted in the test process, its figures from stand-ins.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "resdisplay/ResourceDialog.h"
#include "support/app_fixture.h"

using namespace qovtest;

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
  const HMODULE exe = GetModuleHandleA(nullptr);
  const ImportStandIn standIns[] = {{exe, "kernel32.dll", "GetLogicalDrives", LogicalDrives},
                                    {exe, "kernel32.dll", "GetDriveTypeA", DriveType},
                                    {exe, "kernel32.dll", "GetDiskFreeSpaceExA", DiskFreeSpace},
                                    {exe, "kernel32.dll", "GlobalMemoryStatusEx", MemoryStatus}};
  for (const ImportStandIn& standIn : standIns) ASSERT_TRUE(standIn.Active());
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
