#include "resdisplay/ResourceDialog.h"

#include "core/grouping.h"
#include "fw/lang.h"

namespace {

void SetFigure(HWND dialog, int id, ULONGLONG value) {
  SetDlgItemTextA(dialog, id, core::GroupByteCount(value).c_str());
}

}  // namespace

BOOL CResourceDialog::OnInitDialog() {
  fw::CDialog::OnInitDialog();
  m_listDrives.Attach(GetDlgItem(m_hWnd, IDC_DRIVE_LIST));
  m_listDrives.InsertColumn(0, fw::UiString(IDS_DRIVE_COLUMN).c_str(), LVCFMT_CENTER, 50);
  m_listDrives.InsertColumn(1, fw::UiString(IDS_FREE_COLUMN).c_str(), LVCFMT_LEFT, 140);
  m_listDrives.InsertColumn(2, fw::UiString(IDS_TOTAL_COLUMN).c_str(), LVCFMT_LEFT, 140);
  FillDriveList();
  FillMemoryFigures();
  SetTimer(m_hWnd, kRefreshTimer, 1000, nullptr);
  return TRUE;
}

void CResourceDialog::FillDriveList() {
  // A drive without a medium must fail its query quietly, not ask the user
  // to insert a disk once a second.
  const UINT oldErrorMode = SetErrorMode(SEM_FAILCRITICALERRORS);
  const DWORD drives = GetLogicalDrives();
  for (int letter = 0; letter < 26; ++letter) {
    if (!(drives & (1u << letter))) continue;
    const char root[] = {static_cast<char>('A' + letter), ':', '\\', '\0'};
    // Removable drives are never touched: a floppy would spin up every second.
    if (GetDriveTypeA(root) == DRIVE_REMOVABLE) continue;
    // Both figures are the user's: with disk quotas (or blocks kept for the
    // administrator) the volume's own free bytes may exceed what the user
    // may use at all.
    ULARGE_INTEGER available, total;
    if (!GetDiskFreeSpaceExA(root, &available, &total, nullptr)) continue;
    const char name[] = {root[0], '\0'};  // the letter alone
    const int row = m_listDrives.InsertItem(m_listDrives.GetItemCount(), name);
    if (row < 0) continue;
    m_listDrives.SetItemText(row, 1, core::GroupByteCount(available.QuadPart).c_str());
    m_listDrives.SetItemText(row, 2, core::GroupByteCount(total.QuadPart).c_str());
  }
  SetErrorMode(oldErrorMode);
}

void CResourceDialog::FillMemoryFigures() {
  MEMORYSTATUSEX status = {};
  status.dwLength = sizeof(status);
  if (!GlobalMemoryStatusEx(&status)) return;
  SetFigure(m_hWnd, IDC_PHYSICAL_TOTAL, status.ullTotalPhys);
  SetFigure(m_hWnd, IDC_PHYSICAL_FREE, status.ullAvailPhys);
  SetFigure(m_hWnd, IDC_VIRTUAL_TOTAL, status.ullTotalVirtual);
  SetFigure(m_hWnd, IDC_VIRTUAL_FREE, status.ullAvailVirtual);
}

void CResourceDialog::Refresh() {
  // The list is drawn once, rebuilt, rather than flickering row by row.
  m_listDrives.SetRedraw(false);
  m_listDrives.DeleteAllItems();
  FillDriveList();
  m_listDrives.SetRedraw(true);
  FillMemoryFigures();
}

bool CResourceDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_TIMER:
      Refresh();
      return false;
    case WM_CLOSE:
      // The close box: the dialog then ends as if cancelled.
      KillTimer(m_hWnd, kRefreshTimer);
      return false;
    default:
      return fw::CDialog::OnMessage(message, wParam, lParam, result);
  }
}
