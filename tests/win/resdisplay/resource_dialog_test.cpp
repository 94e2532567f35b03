// The resource display hosted in the test process.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <winioctl.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/grouping.h"
#include "resdisplay/ResourceDialog.h"
#include "support/app_fixture.h"
#include "support/testsupport.h"

using namespace qovtest;

namespace {

class ResourceDisplay : public AppTest {};

// A drive letter of Wine's for the length of a test, defined through its
// mount manager as its configuration tool does, onto a host directory.  A
// letter in use is left alone.
class WineDrive {
 public:
  WineDrive(char letter, UINT type, const std::string& unixPath) : m_letter(letter) {
    const bool inUse = (GetLogicalDrives() & (1u << (letter - 'a'))) != 0;
    m_defined = !inUse && Define(type, unixPath.c_str());
  }
  ~WineDrive() {
    if (m_defined) Define(DRIVE_NO_ROOT_DIR, nullptr);
  }
  bool Defined() const { return m_defined; }

 private:
  // The request of Wine's IOCTL_MOUNTMGR_DEFINE_UNIX_DRIVE; a null mount
  // point removes the drive.
  struct UnixDrive {
    ULONG size;
    ULONG type;
    ULONG fsType;
    DWORD serial;
    ULONGLONG unixDevice;
    WCHAR letter;
    USHORT mountPointOffset;
    USHORT deviceOffset;
    USHORT labelOffset;
  };

  bool Define(UINT type, const char* unixPath) {
    HANDLE manager = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                 nullptr);
    if (manager == INVALID_HANDLE_VALUE) return false;
    const size_t pathSize = unixPath ? std::strlen(unixPath) + 1 : 0;
    std::vector<char> request(sizeof(UnixDrive) + pathSize, 0);
    auto* drive = reinterpret_cast<UnixDrive*>(request.data());
    drive->size = static_cast<ULONG>(request.size());
    drive->type = type;
    drive->letter = static_cast<WCHAR>(m_letter);
    if (unixPath) {
      drive->mountPointOffset = sizeof(UnixDrive);
      std::memcpy(request.data() + sizeof(UnixDrive), unixPath, pathSize);
    }
    const DWORD code = CTL_CODE(0x6D /* 'm' */, 32, METHOD_BUFFERED,
                                FILE_READ_ACCESS | FILE_WRITE_ACCESS);
    DWORD returned = 0;
    BOOL ok = DeviceIoControl(manager, code, request.data(), static_cast<DWORD>(request.size()),
                              nullptr, 0, &returned, nullptr);
    CloseHandle(manager);
    return ok != FALSE;
  }

  char m_letter;
  bool m_defined;
};

// Points this program's import of a kernel32 function at a stand-in for
// the length of a test: the resource display, linked in, calls it there.
class ImportStandIn {
 public:
  ImportStandIn(const char* name, void* standIn) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    auto* import = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(
        base + nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress);
    for (; import->Name && !m_slot; ++import) {
      if (lstrcmpiA(reinterpret_cast<char*>(base + import->Name), "kernel32.dll") != 0) continue;
      auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + import->OriginalFirstThunk);
      auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + import->FirstThunk);
      for (; names->u1.AddressOfData && !m_slot; ++names, ++slots)
        if (!IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal) &&
            lstrcmpA(reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name, name) == 0)
          m_slot = &slots->u1.Function;
    }
    if (m_slot) m_original = Swap(reinterpret_cast<ULONG_PTR>(standIn));
  }
  ~ImportStandIn() {
    if (m_slot) Swap(m_original);
  }
  bool Placed() const { return m_slot != nullptr; }
  ULONG_PTR Original() const { return m_original; }

 private:
  ULONG_PTR Swap(ULONG_PTR function) {
    DWORD protection;
    VirtualProtect(m_slot, sizeof(*m_slot), PAGE_READWRITE, &protection);
    const ULONG_PTR previous = *m_slot;
    *m_slot = function;
    VirtualProtect(m_slot, sizeof(*m_slot), protection, &protection);
    return previous;
  }
  ULONG_PTR* m_slot = nullptr;
  ULONG_PTR m_original = 0;
};

// Disk figures written here, for every drive that answers a size query:
// Wine gives the volume's free bytes as the user's too.  The user may use
// 987,654,321,098 bytes and still write 123,456,789,012; the volume has
// 555,555,555,555 free (quotas, or blocks kept for the administrator).
decltype(&GetDiskFreeSpaceExA) g_diskFreeSpace = nullptr;
BOOL WINAPI QuotaDiskFreeSpace(LPCSTR root, PULARGE_INTEGER mine, PULARGE_INTEGER total,
                               PULARGE_INTEGER volumeFree) {
  ULARGE_INTEGER a, b, c;
  if (!g_diskFreeSpace(root, &a, &b, &c)) return FALSE;
  if (mine) mine->QuadPart = 123456789012ull;
  if (total) total->QuadPart = 987654321098ull;
  if (volumeFree) volumeFree->QuadPart = 555555555555ull;
  return TRUE;
}

std::string ItemText(HWND list, int item, int subItem) {
  char text[256] = "";
  LVITEMA lvItem = {};
  lvItem.iSubItem = subItem;
  lvItem.pszText = text;
  lvItem.cchTextMax = sizeof(text);
  SendMessageA(list, LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&lvItem));
  return text;
}

struct Row {
  std::string drive, free, total;
};

std::vector<Row> Rows(HWND dialog) {
  HWND list = GetDlgItem(dialog, IDC_DRIVE_LIST);
  std::vector<Row> rows;
  const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i)
    rows.push_back({ItemText(list, i, 0), ItemText(list, i, 1), ItemText(list, i, 2)});
  return rows;
}

std::string Drives(const std::vector<Row>& rows) {
  std::string letters;
  for (const Row& row : rows) letters += row.drive;
  return letters;
}

std::string Field(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

// Whether a control shows its whole text on one line, in its own font.
bool TextFits(HWND control) {
  const std::string text = WindowText(control);
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
  SIZE extent = {};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  RECT client;
  GetClientRect(control, &client);
  return extent.cx <= client.right;
}

// A figure as the display shows it: the grouped digits of a value.
bool IsGrouped(const std::string& text) {
  std::string digits;
  for (char c : text)
    if (c != ' ' && c != ',') digits += c;
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) return false;
  return text == core::GroupByteCount(std::stoull(digits));
}

TEST_F(ResourceDisplay, ListsTheDrivesThatAnswerASizeQueryAndTheMemory) {
  // Wine's own configuration tool's way of adding drives: a removable A:, a
  // D: without a medium (its directory does not exist) and a network E:, on
  // directories in the run's home, which each run starts afresh.
  const std::string home = DirFromEnv("QOV_WINE_ROOT") + "\\home";
  char unixRoot[MAX_PATH] = "";
  GetEnvironmentVariableA("QOV_WINE_ROOT", unixRoot, sizeof(unixRoot));
  CreateDirectoryA((home + "\\qov-drives").c_str(), nullptr);
  CreateDirectoryA((home + "\\qov-drives\\floppy").c_str(), nullptr);
  CreateDirectoryA((home + "\\qov-drives\\network").c_str(), nullptr);
  const std::string drives = std::string(unixRoot) + "/home/qov-drives/";
  WineDrive floppy('a', DRIVE_REMOVABLE, drives + "floppy");
  WineDrive noMedium('d', DRIVE_CDROM, drives + "no-medium");
  WineDrive network('e', DRIVE_REMOTE, drives + "network");
  ASSERT_TRUE(floppy.Defined() && noMedium.Defined() && network.Defined());
  ASSERT_EQ(GetDriveTypeA("A:\\"), static_cast<UINT>(DRIVE_REMOVABLE));
  ASSERT_EQ(GetDriveTypeA("D:\\"), static_cast<UINT>(DRIVE_CDROM));
  ASSERT_EQ(GetDriveTypeA("E:\\"), static_cast<UINT>(DRIVE_REMOTE));

  ImportStandIn quotas("GetDiskFreeSpaceExA", reinterpret_cast<void*>(QuotaDiskFreeSpace));
  ASSERT_TRUE(quotas.Placed());
  g_diskFreeSpace = reinterpret_cast<decltype(&GetDiskFreeSpaceExA)>(quotas.Original());

  CResourceDialog dialog;
  ASSERT_TRUE(dialog.Create());
  HWND hwnd = dialog.m_hWnd;
  EXPECT_EQ(WindowText(hwnd), "リソースの表示　－Qovデスクトップ－");

  HWND list = GetDlgItem(hwnd, IDC_DRIVE_LIST);
  ASSERT_EQ(dialog.m_listDrives.m_hWnd, list);
  EXPECT_EQ(GetWindowLongA(list, GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
  const struct {
    const char* heading;
    int format, width;
  } columns[] = {{"Drive", LVCFMT_CENTER, 50},
                 {"FreeSpace(Bytes)", LVCFMT_LEFT, 140},
                 {"TotalSpace(Bytes)", LVCFMT_LEFT, 140}};
  for (int i = 0; i < 3; ++i) {
    char heading[64] = "";
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    column.pszText = heading;
    column.cchTextMax = sizeof(heading);
    ASSERT_TRUE(SendMessageA(list, LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&column)));
    EXPECT_STREQ(heading, columns[i].heading);
    EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, columns[i].format) << i;
    EXPECT_EQ(column.cx, columns[i].width) << i;
  }

  const std::vector<Row> rows = Rows(hwnd);
  ASSERT_EQ(Drives(rows), "CEZ");
  for (const Row& row : rows) {
    EXPECT_EQ(row.free, "123,456,789,012") << row.drive;
    EXPECT_EQ(row.total, "987,654,321,098") << row.drive;
  }

  MEMORYSTATUSEX memory = {};
  memory.dwLength = sizeof(memory);
  ASSERT_TRUE(GlobalMemoryStatusEx(&memory));
  EXPECT_EQ(Field(hwnd, IDC_PHYSICAL_TOTAL), core::GroupByteCount(memory.ullTotalPhys));
  EXPECT_EQ(Field(hwnd, IDC_VIRTUAL_TOTAL), core::GroupByteCount(memory.ullTotalVirtual));
  for (int id : {IDC_PHYSICAL_FREE, IDC_VIRTUAL_FREE})
    EXPECT_TRUE(IsGrouped(Field(hwnd, id))) << id << " [" << Field(hwnd, id) << "]";
  // Free virtual memory is counted in the same (process's) address space as
  // the total: a 64-bit process's is far beyond 32 bits.
  EXPECT_GT(memory.ullTotalVirtual, 0xFFFFFFFFull);
  EXPECT_GT(Field(hwnd, IDC_VIRTUAL_TOTAL).size(), core::kGroupedWidth);
  // Its 15 digits and four commas are shown whole, not cut off at the right.
  for (int id : {IDC_PHYSICAL_TOTAL, IDC_PHYSICAL_FREE, IDC_VIRTUAL_FREE, IDC_VIRTUAL_TOTAL})
    EXPECT_TRUE(TextFits(GetDlgItem(hwnd, id))) << id << " [" << Field(hwnd, id) << "]";
}

TEST_F(ResourceDisplay, RefreshesEverySecond) {
  CResourceDialog dialog;
  ASSERT_TRUE(dialog.Create());
  HWND hwnd = dialog.m_hWnd;
  const std::vector<Row> before = Rows(hwnd);
  ASSERT_FALSE(before.empty());
  const char drive = before[0].drive[0];

  // Selections do not survive a refresh: the rows are built anew.
  ListView_SetItemState(dialog.m_listDrives.m_hWnd, 0, LVIS_SELECTED, LVIS_SELECTED);
  EXPECT_TRUE(WaitUntil(
      [&] { return ListView_GetSelectedCount(dialog.m_listDrives.m_hWnd) == 0; }, 2500));
  EXPECT_EQ(Drives(Rows(hwnd)), Drives(before));

  // A file written on a listed drive shows in its free bytes within about two seconds.
  const std::string path = std::string(1, drive) + ":\\qov_resource_test.bin";
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  const std::string shown = Rows(hwnd)[0].free;
  std::vector<char> block(1 << 20, 'Q');
  DWORD written = 0;
  for (int i = 0; i < 16; ++i) WriteFile(file, block.data(), static_cast<DWORD>(block.size()), &written, nullptr);
  FlushFileBuffers(file);
  CloseHandle(file);
  EXPECT_TRUE(WaitUntil([&] { return Rows(hwnd)[0].free != shown; }, 2200)) << shown;
  DeleteFileA(path.c_str());

  // The memory figures are rewritten too.
  SetDlgItemTextA(hwnd, IDC_PHYSICAL_TOTAL, "0");
  EXPECT_TRUE(WaitUntil([&] { return Field(hwnd, IDC_PHYSICAL_TOTAL) != "0"; }, 1500));
  EXPECT_TRUE(IsGrouped(Field(hwnd, IDC_PHYSICAL_TOTAL)));
}

}  // namespace
