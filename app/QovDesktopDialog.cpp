#include "app/QovDesktopDialog.h"

#include "app/QovDesktopApp.h"
#include "app/WallPaper.h"
#include "app/settings_names.h"
#include "core/remote.h"
#include "core/settings_rules.h"
#include "core/vscreen.h"
#include "fw/display.h"
#include "fw/shellwnd.h"
#include "fw/sysfunc.h"
#include "hooklib/qov32.h"
#include "vscreen/Gather.h"
#include "vscreen/Pins.h"
#include "vscreen/WindowMover.h"

namespace {

// Run with higher rights than the shell (elevated), the program would not be
// told of the shell's restart or of its app-bar notifications, nor take a
// starter's command: Windows keeps messages of programs with lower rights
// away unless they are let through.  A command is checked before anything
// is done with it.  Vista and later only; nothing to do before.
void LetTheShellsMessagesThrough() {
  const auto filter =
      fw::SystemFunction<BOOL WINAPI(UINT, DWORD)>("user32.dll", "ChangeWindowMessageFilter");
  if (!filter) return;
  for (UINT message : {RegisterWindowMessageA("TaskbarCreated"), UINT{WM_HBAR_NOTIFY},
                       UINT{WM_VBAR_NOTIFY}, UINT{WM_COPYDATA},
                       UINT{CQovDesktopDialog::WM_NOTIFY_ICON}})
    filter(message, 1 /* MSGFLT_ADD */);
}

// The main window's class, by which a starter finds it: a dialog's own.
void RegisterMainWindowClass() {
  WNDCLASSA dialogClass = {};
  dialogClass.lpfnWndProc = DefDlgProcA;
  dialogClass.cbWndExtra = DLGWINDOWEXTRA;
  dialogClass.hInstance = QovApp()->Instance();
  dialogClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  dialogClass.lpszClassName = core::kMainWindowClass;
  RegisterClassA(&dialogClass);  // fails harmlessly when registered before
}

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
  m_bViewKept = app->ReadKeptView(m_nKeptLeft, m_nKeptTop);
  RegisterMainWindowClass();
  // The overview's Enter moved the view: where it is shows once it closed.
  m_overview.SetPagedByKeyboard([this] { ShowPage(std::wstring()); });
}

// A window still open here (hosted modelessly) is destroyed while its own
// handlers and its bars can still clean up: timers, hook, app-bar strips.
CQovDesktopDialog::~CQovDesktopDialog() { DestroyWindow(); }

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

  LetTheShellsMessagesThrough();
  // The vertical bar docks first, so the horizontal one fits beside it.
  EdgeBarSettings bar;
  bar.fineFirst = m_bFineFirst;
  bar.moveDesktopIcons = core::NormaliseFlag(
      QovApp()->ReadIntSetting(settings::kSetting, settings::kMoveDesktopIcons, 0));
  bar.viewKept = m_bViewKept;
  bar.viewMoved = [this] { OnViewMoved(); };
  bar.screenCount = m_nHeight;
  bar.keptOffset = m_nKeptTop;
  if (m_wndVerticalBar.Create(this, bar)) ShowWindow(m_wndVerticalBar.m_hWnd, SW_SHOW);
  bar.screenCount = m_nWidth;
  bar.keptOffset = m_nKeptLeft;
  if (m_wndHorizontalBar.Create(this, bar)) ShowWindow(m_wndHorizontalBar.m_hWnd, SW_SHOW);
  // The kept position as taken into the range, or none when it was home.
  KeepViewPosition();

  StartViewKeys();
  ApplyReach();
  PostMessageA(m_hWnd, WM_START_NOTICES, 0, 0);
  SetTimer(m_hWnd, kFollowTimer, 1000, nullptr);
  InstallDesktopHook();

  const CQovDesktopApp* app = QovApp();
  m_strWallPaperDirectory = ReadWallPaperDirectory();
  m_nWallPaperInterval = core::ClampWallPaperInterval(app->ReadIntSetting(
      settings::kSetting, settings::kWallPaperInterval, settings::kDefaultWallPaperInterval));
  m_bWallPaperOn =
      core::NormaliseFlag(app->ReadIntSetting(settings::kSetting, settings::kWallPaperRotation, 1));
  StartWallPaperTimer();
  return TRUE;
}

void CQovDesktopDialog::BuildSystemMenu() {
  HMENU system = GetSystemMenu(m_hWnd, FALSE);
  if (!system) return;
  // For this frame Windows gives only "Move" and "Close"; other shells (Wine)
  // give the full menu with greyed items and entries of their own.  The
  // program's menu takes their place, so that it reads the same everywhere
  // and as the icon's menu.
  while (GetMenuItemCount(system) > 0) DeleteMenu(system, 0, MF_BYPOSITION);
  commands::FillMenu(system);
}

void CQovDesktopDialog::InstallDesktopHook() {
  // The hook goes on the thread that owns the desktop icon window.
  HWND icons = fw::FindDesktopIconWindow();
  if (icons) SetHookDesktop(GetWindowThreadProcessId(icons, nullptr));
}

void CQovDesktopDialog::StartWallPaperTimer() {
  KillTimer(m_hWnd, kWallPaperTimer);
  if (!m_bWallPaperOn) return;
  SetTimer(m_hWnd, kWallPaperTimer, core::WallPaperTimerPeriod(m_nWallPaperInterval), nullptr);
}

CEdgeBar& CQovDesktopDialog::Bar(bool horizontal) {
  return horizontal ? static_cast<CEdgeBar&>(m_wndHorizontalBar) : m_wndVerticalBar;
}

void CQovDesktopDialog::OnViewMoved() {
  KeepViewPosition();
  m_notifyIcon.SetTip(IconTip());
}

void CQovDesktopDialog::KeepViewPosition() {
  const CEdgeBar& h = m_wndHorizontalBar;
  const CEdgeBar& v = m_wndVerticalBar;
  if (!h.m_hWnd || !v.m_hWnd) return;
  if (h.m_nPosition == h.Home() && v.m_nPosition == v.Home())
    QovApp()->ForgetView();
  else
    QovApp()->KeepView(h.m_nPosition - h.Home(), v.m_nPosition - v.Home());
}

void CQovDesktopDialog::BringViewHome() {
  if (m_wndHorizontalBar.m_hWnd) m_wndHorizontalBar.ScrollHome();
  if (m_wndVerticalBar.m_hWnd) m_wndVerticalBar.ScrollHome();
}

void CQovDesktopDialog::EndView(DWORD waitMs) {
  LimitWaits(waitMs);
  BringPinnedOntoScreen(m_wndHorizontalBar, m_wndVerticalBar);
  BringViewHome();
  LimitWaits(INFINITE);
}

void CQovDesktopDialog::OnOK() {
  EndView(INFINITE);
  fw::CDialog::OnOK();
}

void CQovDesktopDialog::OnCancel() {
  EndView(INFINITE);
  fw::CDialog::OnCancel();
}

void CQovDesktopDialog::OnTaskbarCreated() {
  // A restarted shell has forgotten the bars and the icon, and its desktop
  // thread is a new one: register both bars again, the vertical bar first as
  // at the start, show the icon again, and hook the new desktop.
  m_wndVerticalBar.RegisterAgain();
  m_wndHorizontalBar.RegisterAgain();
  m_notifyIcon.Forget();
  ApplyReach();
  InstallDesktopHook();
}

void CQovDesktopDialog::OnDisplayChange() {
  // The windows go home by the page they were placed with; then each axis
  // is laid out for the new screen, and the view starts there again.
  m_wndVerticalBar.LayOutAgain();
  m_wndHorizontalBar.LayOutAgain();
  KeepViewPosition();
}

bool CQovDesktopDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  // Broadcast by the shell when it starts again after ending (a crash, an
  // update, a user's restart of Explorer).
  static const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
  if (message == taskbarCreated && message != 0) {
    OnTaskbarCreated();
    return false;
  }
  switch (message) {
    case WM_DISPLAYCHANGE:
      if (m_wndHorizontalBar.m_hWnd && m_wndVerticalBar.m_hWnd) OnDisplayChange();
      return false;
    case WM_SETTINGCHANGE:
      // The work area or the screen may have changed: dock both bars again.
      m_wndVerticalBar.RepositionBar();
      m_wndHorizontalBar.RepositionBar();
      return false;
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
    case WM_TIMER:
      if (wParam == CViewKeys::kHeldTimer)
        m_viewKeys.WatchHeld(m_hWnd);
      else if (wParam == kEdgePushTimer)
        m_edgePush.Look();
      else
        OnTimer(static_cast<UINT_PTR>(wParam));
      return false;
    case WM_HOTKEY:
      if (m_viewKeys.Pressed(m_hWnd, CViewKeys::CommandOf(wParam)))
        commands::Run(*this, commands::OfViewKey(CViewKeys::CommandOf(wParam)));
      return true;
    case WM_RUN_COMMAND:
      // A standard command (the exit) takes the system menu's path.
      if (!commands::Run(*this, static_cast<UINT>(wParam), lParam))
        PostMessageA(m_hWnd, WM_SYSCOMMAND, wParam, 0);
      return true;
    case WM_COPYDATA:
      result = OnRemote(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
      return true;
    case WM_NOTIFY_ICON:
      OnNotifyIcon(lParam);
      return true;
    case WM_START_NOTICES:
      OnStartNotices();
      return true;
    case WM_DESTROY:
      OnDestroy();
      return false;
    case WM_QUERYENDSESSION:
      // Asked while the other programs still answer, before they save their
      // places and exit: the windows go home now, waiting as a scroll does
      // but never so long that Windows would name this program as holding
      // the end up.  A cancelled end finds the view home.
      EndView(kSessionEndWaitMs);
      result = TRUE;
      return true;
    case WM_ENDSESSION:
      // Whatever moved since goes home too, without waiting on programs that
      // are all busy ending now.
      if (wParam) EndView(0);
      return false;
    case WM_SYSCOMMAND:
      // The program's commands stop here; the standard ones (the exit among
      // them) go on to the default processing.
      return commands::Run(*this, static_cast<UINT>(wParam));
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

void CQovDesktopDialog::OnTimer(UINT_PTR id) {
  // Every tick, of either timer, first looks at the active window.
  FollowActiveWindow();
  ForgetFinishedMoves(true);
  pins::Tidy();
  // Moves that other programs took late show where they landed.
  if (m_overview.m_hWnd) m_overview.Refresh();
  if (id == kWallPaperTimer)
    m_nWallPaperIndex = ChangeWallPaper(m_strWallPaperDirectory, m_nWallPaperIndex);
}

bool CQovDesktopDialog::OnCommand(UINT id, UINT code, HWND control) {
  if (!control && code == 0 && commands::Run(*this, id)) return true;
  return fw::CDialog::OnCommand(id, code, control);
}

void CQovDesktopDialog::OnDestroy() {
  KillTimer(m_hWnd, kFollowTimer);
  KillTimer(m_hWnd, kWallPaperTimer);
  m_edgePush.Stop();
  m_notifyIcon.Remove();
  m_indicator.Hide();
  m_viewKeys.Unregister(m_hWnd);
  UnSetHookDesktop();
  QovApp()->WinHelp(0, HELP_QUIT);
}
