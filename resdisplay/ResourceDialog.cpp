#include "resdisplay/ResourceDialog.h"

#include "core/grouping.h"
#include "fw/display.h"
#include "fw/lang.h"

namespace {

void SetFigure(HWND dialog, int id, ULONGLONG value) {
  SetDlgItemTextA(dialog, id, core::GroupByteCount(value).c_str());
}

// A network drive whose server does not answer blocks its size query for as
// long as the network waits, and with it the program's one window thread: the
// bars, the timers, everything.  So a remote drive is asked on a thread of its
// own, one query per drive at a time, and the list shows its last answer
// meanwhile.  Kept for the process, not the dialog: a query may outlive the
// dialog that started it, and a dialog opened again shows its answer.  Local
// drives answer soon, or fail at once without a medium, and stay on the
// window thread, where the error mode keeps the "insert a disk" box away (the
// error mode is the whole process's: a thread cannot set it for itself on XP).
struct DriveFigures {
  bool known;  // false: never answered, or the last query failed
  ULARGE_INTEGER available, total;
};
struct RemoteDrive {
  volatile LONG asking;  // a query runs: until it ends, only it touches `answer` and `notify`
  HWND notify;           // the dialog to tell when the answer is in; it may be gone by then
  DriveFigures answer;   // the last query's
  DriveFigures shown;    // the window thread's copy, taken while no query runs
};
RemoteDrive g_remoteDrives[26];
// Registered, so that a window that has since taken a closed dialog's handle ignores it.
const UINT g_remoteDriveAnswered = RegisterWindowMessageA("QovDesktop remote drive answered");

DWORD WINAPI AskRemoteDrive(LPVOID parameter) {
  const int letter = static_cast<int>(reinterpret_cast<INT_PTR>(parameter));
  RemoteDrive& drive = g_remoteDrives[letter];
  const char root[] = {static_cast<char>('A' + letter), ':', '\\', '\0'};
  DriveFigures& answer = drive.answer;
  answer.known = GetDiskFreeSpaceExA(root, &answer.available, &answer.total, nullptr) != FALSE;
  const HWND notify = drive.notify;
  InterlockedExchange(&drive.asking, 0);
  // The dialog object is never touched from here: a closed one fails the post.
  PostMessageA(notify, g_remoteDriveAnswered, 0, 0);
  return 0;
}

// The figures to show for a remote drive: its last answer, taken when no
// query runs; then a new query starts if `ask`.
const DriveFigures& RemoteDriveFigures(int letter, HWND dialog, bool ask) {
  RemoteDrive& drive = g_remoteDrives[letter];
  if (InterlockedCompareExchange(&drive.asking, 0, 0) != 0) return drive.shown;
  drive.shown = drive.answer;
  if (!ask) return drive.shown;
  drive.notify = dialog;
  InterlockedExchange(&drive.asking, 1);
  HANDLE thread = CreateThread(nullptr, 0, AskRemoteDrive,
                               reinterpret_cast<LPVOID>(static_cast<INT_PTR>(letter)), 0, nullptr);
  if (thread)
    CloseHandle(thread);
  else
    InterlockedExchange(&drive.asking, 0);
  return drive.shown;
}

}  // namespace

BOOL CResourceDialog::OnInitDialog() {
  fw::CDialog::OnInitDialog();
  m_listDrives.Attach(GetDlgItem(m_hWnd, IDC_DRIVE_LIST));
  // The columns' widths are pixels at 96 DPI, scaled as the dialog is.
  const int dpi = static_cast<int>(fw::DpiOf(m_hWnd));
  m_listDrives.InsertColumn(0, fw::UiString(IDS_DRIVE_COLUMN).c_str(), LVCFMT_CENTER,
                            core::ScaleToDpi(50, dpi));
  m_listDrives.InsertColumn(1, fw::UiString(IDS_FREE_COLUMN).c_str(), LVCFMT_LEFT,
                            core::ScaleToDpi(140, dpi));
  m_listDrives.InsertColumn(2, fw::UiString(IDS_TOTAL_COLUMN).c_str(), LVCFMT_LEFT,
                            core::ScaleToDpi(140, dpi));
  FillDriveList(true);
  FillMemoryFigures();
  SetTimer(m_hWnd, kRefreshTimer, 1000, nullptr);
  return TRUE;
}

void CResourceDialog::FillDriveList(bool askRemoteDrives) {
  // A drive without a medium must fail its query quietly, not ask the user
  // to insert a disk once a second.
  const UINT oldErrorMode = SetErrorMode(SEM_FAILCRITICALERRORS);
  const DWORD drives = GetLogicalDrives();
  for (int letter = 0; letter < 26; ++letter) {
    if (!(drives & (1u << letter))) continue;
    const char root[] = {static_cast<char>('A' + letter), ':', '\\', '\0'};
    // Removable drives are never touched: a floppy would spin up every second.
    const UINT type = GetDriveTypeA(root);
    if (type == DRIVE_REMOVABLE) continue;
    // Both figures are the user's: with disk quotas (or blocks kept for the
    // administrator) the volume's own free bytes may exceed what the user
    // may use at all.
    DriveFigures figures = {};
    if (type == DRIVE_REMOTE)
      figures = RemoteDriveFigures(letter, m_hWnd, askRemoteDrives);
    else
      figures.known =
          GetDiskFreeSpaceExA(root, &figures.available, &figures.total, nullptr) != FALSE;
    if (!figures.known) continue;
    const char name[] = {root[0], '\0'};  // the letter alone
    const int row = m_listDrives.InsertItem(m_listDrives.GetItemCount(), name);
    if (row < 0) continue;
    m_listDrives.SetItemText(row, 1, core::GroupByteCount(figures.available.QuadPart).c_str());
    m_listDrives.SetItemText(row, 2, core::GroupByteCount(figures.total.QuadPart).c_str());
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

void CResourceDialog::Refresh(bool askRemoteDrives) {
  // The list is drawn once, rebuilt, rather than flickering row by row.
  m_listDrives.SetRedraw(false);
  m_listDrives.DeleteAllItems();
  FillDriveList(askRemoteDrives);
  m_listDrives.SetRedraw(true);
  FillMemoryFigures();
}

bool CResourceDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  // A remote drive's answer shows at once; the next query waits for the timer.
  if (message == g_remoteDriveAnswered) {
    Refresh(false);
    return true;
  }
  switch (message) {
    case WM_TIMER:
      Refresh(true);
      return false;
    case WM_CLOSE:
      // The close box: the dialog then ends as if cancelled.
      KillTimer(m_hWnd, kRefreshTimer);
      return false;
    default:
      return fw::CDialog::OnMessage(message, wParam, lParam, result);
  }
}
