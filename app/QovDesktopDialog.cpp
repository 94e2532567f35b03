#include "app/QovDesktopDialog.h"

#include "app/QovDesktopApp.h"
#include "app/settings_names.h"
#include "core/settings_rules.h"
#include "hooklib/qov32.h"

namespace {

HICON LoadProgramIcon(int size) {
  return static_cast<HICON>(LoadImageA(QovApp()->Instance(), MAKEINTRESOURCEA(IDR_MAINFRAME),
                                       IMAGE_ICON, size, size, LR_SHARED));
}

}  // namespace

CQovDesktopDialog::CQovDesktopDialog(fw::CWnd* parent)
    : fw::CDialog(IDD, parent),
      m_hIcon(LoadIconA(QovApp()->Instance(), MAKEINTRESOURCEA(IDR_MAINFRAME))),
      m_hSmallIcon(LoadProgramIcon(GetSystemMetrics(SM_CXSMICON))) {
  const CQovDesktopApp* app = QovApp();
  m_nHeight = app->ReadIntSetting(settings::kScreen, settings::kHeight, settings::kDefaultScreens);
  m_nWidth = app->ReadIntSetting(settings::kScreen, settings::kWidth, settings::kDefaultScreens);
  m_bMoveAuto = core::NormaliseFlag(app->ReadIntSetting(settings::kSetting, settings::kMoveAuto, 0));
  m_bFineFirst =
      core::NormaliseFlag(app->ReadIntSetting(settings::kSetting, settings::kFineFirst, 0));
}

CQovDesktopDialog::~CQovDesktopDialog() = default;

BOOL CQovDesktopDialog::OnInitDialog() {
  fw::CDialog::OnInitDialog();
  // The dialog manager shows the window after this returns; where it sends no
  // WM_SIZE to the dialog procedure while creating the window (Wine), the
  // window would be seen once at its template position.
  OnSize();
  BuildSystemMenu();

  SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
  SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL,
               reinterpret_cast<LPARAM>(m_hSmallIcon ? m_hSmallIcon : m_hIcon));

  SetTimer(m_hWnd, kFollowTimer, 1000, nullptr);
  InstallDesktopHook();

  const CQovDesktopApp* app = QovApp();
  m_strWallPaperDirectory =
      app->ReadStringSetting(settings::kSetting, settings::kWallPaperDirectory, std::string());
  if (m_strWallPaperDirectory.empty()) {
    // The Windows directory stands in for an empty setting; it is not written back.
    char windows[MAX_PATH] = "";
    UINT length = GetWindowsDirectoryA(windows, MAX_PATH);
    if (length > 0 && length < MAX_PATH) m_strWallPaperDirectory.assign(windows, length);
  }
  m_nWallPaperInterval = core::ClampWallPaperInterval(app->ReadIntSetting(
      settings::kSetting, settings::kWallPaperInterval, settings::kDefaultWallPaperInterval));
  StartWallPaperTimer();
  return TRUE;
}

void CQovDesktopDialog::BuildSystemMenu() {
  HMENU system = GetSystemMenu(m_hWnd, FALSE);
  if (!system) return;
  // For this frame Windows gives only "Move" and "Close"; other shells (Wine)
  // give the full menu with greyed items and entries of their own.  Keep only
  // "Close", so that the menu reads the same everywhere.
  for (int position = GetMenuItemCount(system) - 1; position >= 0; --position) {
    if (GetMenuItemID(system, position) != SC_CLOSE) DeleteMenu(system, position, MF_BYPOSITION);
  }
  m_menuClose.CreateMenu();

  char about[256] = "";
  if (LoadStringA(QovApp()->Instance(), IDS_ABOUTBOX, about, sizeof(about)) > 0) {
    AppendMenuA(system, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(system, MF_STRING, ID_SYS_ABOUT, about);
  }
  ModifyMenuA(system, SC_CLOSE, MF_BYCOMMAND | MF_STRING, SC_CLOSE, "Qovデスクトップの終了");

  // Inserting "by command 0" puts each item in front of the separator (the
  // only item with id 0), so these four end up in this order above it.
  static const struct {
    UINT id;
    const char* text;
  } kCommands[] = {
      {ID_SYS_SETTINGS, "設定..."},
      {ID_SYS_JUMP, "ジャンプ"},
      {ID_SYS_RESOURCES, "リソースの表示"},
      {ID_SYS_SCREENSAVER, "スクリーンセーバーの実行"},
  };
  for (const auto& item : kCommands)
    InsertMenuA(system, 0, MF_BYCOMMAND | MF_STRING, item.id, item.text);

  if (m_menuClose.m_hMenu &&
      InsertMenuA(system, 1, MF_BYPOSITION | MF_POPUP,
                  reinterpret_cast<UINT_PTR>(m_menuClose.m_hMenu), "閉じる"))
    m_menuClose.OwnedByParent();

  // The popup has no item with id 0, so each of these is appended.
  static const struct {
    UINT id;
    const char* text;
  } kCloseCommands[] = {
      {ID_SYS_CLOSE_FOLDERS, "フォルダ"},
      {ID_SYS_CLOSE_BROWSERS, "インターネットエクスプローラ"},
      {ID_SYS_CLOSE_ALL, "すべてのアプリケーション"},
  };
  for (const auto& item : kCloseCommands)
    InsertMenuA(m_menuClose.m_hMenu, 0, MF_BYCOMMAND | MF_STRING, item.id, item.text);
}

void CQovDesktopDialog::InstallDesktopHook() {
  // The desktop icon window is the first child of the first child of the
  // shell's "ProgMan" window; the hook goes on the thread that owns it.
  HWND progman = FindWindowA("ProgMan", nullptr);
  HWND view = progman ? GetTopWindow(progman) : nullptr;
  HWND icons = view ? GetTopWindow(view) : nullptr;
  if (icons) SetHookDesktop(GetWindowThreadProcessId(icons, nullptr));
}

void CQovDesktopDialog::StartWallPaperTimer() {
  SetTimer(m_hWnd, kWallPaperTimer, core::WallPaperTimerPeriod(m_nWallPaperInterval), nullptr);
}

bool CQovDesktopDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_PAINT:
      if (!IsIconic(m_hWnd)) return false;
      OnPaint();
      return true;
    case WM_QUERYDRAGICON:
      result = reinterpret_cast<LRESULT>(m_hIcon);
      return true;
    case WM_SIZE:
      OnSize();
      return false;
    case WM_DESTROY:
      OnDestroy();
      return false;
    default:
      return fw::CDialog::OnMessage(message, wParam, lParam, result);
  }
}

void CQovDesktopDialog::OnPaint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(m_hWnd, &paint);
  SendMessageA(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  RECT client;
  GetClientRect(m_hWnd, &client);
  int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
  int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
  DrawIcon(dc, x, y, m_hIcon);
  EndPaint(m_hWnd, &paint);
}

void CQovDesktopDialog::OnSize() {
  // Keep the window above the top edge of the screen, with no visible area.
  // A move that changes nothing sends no WM_SIZE, so this does not recurse.
  MoveWindow(m_hWnd, 0, -200, 100, -100, TRUE);
}

void CQovDesktopDialog::OnDestroy() {
  KillTimer(m_hWnd, kFollowTimer);
  KillTimer(m_hWnd, kWallPaperTimer);
  UnSetHookDesktop();
  QovApp()->WinHelp(0, HELP_QUIT);
}
