#include "app/QovDesktopDialog.h"

#include "app/QovDesktopApp.h"
#include "app/WallPaper.h"
#include "app/settings_names.h"
#include "core/settings_rules.h"
#include "core/vscreen.h"
#include "fw/display.h"
#include "fw/lang.h"
#include "fw/shellwnd.h"
#include "fw/sysfunc.h"
#include "hooklib/qov32.h"
#include "vscreen/Gather.h"
#include "vscreen/Pins.h"
#include "vscreen/WindowMover.h"

namespace {

// Run with higher rights than the shell (elevated), the program would not be
// told of the shell's restart or of its app-bar notifications: Windows keeps
// messages of programs with lower rights away unless they are let through.
// Vista and later only; nothing to do before.
void LetTheShellsMessagesThrough() {
  const auto filter =
      fw::SystemFunction<BOOL WINAPI(UINT, DWORD)>("user32.dll", "ChangeWindowMessageFilter");
  if (!filter) return;
  for (UINT message : {RegisterWindowMessageA("TaskbarCreated"), UINT{WM_HBAR_NOTIFY},
                       UINT{WM_VBAR_NOTIFY}})
    filter(message, 1 /* MSGFLT_ADD */);
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
  bar.viewMoved = [this] { KeepViewPosition(); };
  bar.screenCount = m_nHeight;
  bar.keptOffset = m_nKeptTop;
  if (m_wndVerticalBar.Create(this, bar)) ShowWindow(m_wndVerticalBar.m_hWnd, SW_SHOW);
  bar.screenCount = m_nWidth;
  bar.keptOffset = m_nKeptLeft;
  if (m_wndHorizontalBar.Create(this, bar)) ShowWindow(m_wndHorizontalBar.m_hWnd, SW_SHOW);
  // The kept position as taken into the range, or none when it was home.
  KeepViewPosition();

  StartViewKeys();
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
  // give the full menu with greyed items and entries of their own.  Keep only
  // "Close", so that the menu reads the same everywhere.
  for (int position = GetMenuItemCount(system) - 1; position >= 0; --position) {
    if (GetMenuItemID(system, position) != SC_CLOSE) DeleteMenu(system, position, MF_BYPOSITION);
  }
  m_menuClose.CreateMenu();

  const std::string about = fw::UiString(IDS_ABOUTBOX);
  if (!about.empty()) {
    AppendMenuA(system, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(system, MF_STRING, ID_SYS_ABOUT, about.c_str());
  }
  ModifyMenuA(system, SC_CLOSE, MF_BYCOMMAND | MF_STRING, SC_CLOSE,
              fw::UiString(IDS_MENU_EXIT).c_str());

  // Inserting "by command 0" puts each item in front of the separator (the
  // only item with id 0), so these end up in this order above it.
  static const UINT kCommands[][2] = {
      {ID_SYS_SETTINGS, IDS_MENU_SETTINGS},
      {ID_SYS_JUMP, IDS_MENU_JUMP},
      {ID_SYS_RESOURCES, IDS_MENU_RESOURCES},
      {ID_SYS_SCREENSAVER, IDS_MENU_SCREENSAVER},
      {ID_SYS_OVERVIEW, IDS_MENU_OVERVIEW},
      {ID_SYS_GATHER, IDS_MENU_GATHER},
  };
  for (const auto& item : kCommands)
    InsertMenuA(system, 0, MF_BYCOMMAND | MF_STRING, item[0], fw::UiString(item[1]).c_str());

  if (m_menuClose.m_hMenu &&
      InsertMenuA(system, 1, MF_BYPOSITION | MF_POPUP,
                  reinterpret_cast<UINT_PTR>(m_menuClose.m_hMenu),
                  fw::UiString(IDS_MENU_CLOSE).c_str()))
    m_menuClose.OwnedByParent();

  // The popup has no item with id 0, so each of these is appended.
  static const UINT kCloseCommands[][2] = {
      {ID_SYS_CLOSE_FOLDERS, IDS_MENU_CLOSE_FOLDERS},
      {ID_SYS_CLOSE_BROWSERS, IDS_MENU_CLOSE_BROWSERS},
      {ID_SYS_CLOSE_ALL, IDS_MENU_CLOSE_ALL},
  };
  for (const auto& item : kCloseCommands)
    InsertMenuA(m_menuClose.m_hMenu, 0, MF_BYCOMMAND | MF_STRING, item[0],
                fw::UiString(item[1]).c_str());
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

void CQovDesktopDialog::JumpToRecordedWindow() {
  fw::CScrollBar& horizontal = m_wndHorizontalBar.m_ScrollBar;
  fw::CScrollBar& vertical = m_wndVerticalBar.m_ScrollBar;
  if (!horizontal.m_hWnd || !vertical.m_hWnd) return;
  const int x = horizontal.GetScrollPos() + m_nRecordedLeft;
  const int y = vertical.GetScrollPos() + m_nRecordedTop;
  // The bars' own ranges decide, so that a jump never asks a bar for a
  // position its control cannot show (the counts may have changed since).
  if (!core::JumpInRange(x, y, m_wndHorizontalBar.Maximum(), m_wndVerticalBar.Maximum())) return;
  // The bars move the windows when they take these messages: the thumb codes
  // scroll from each bar's stored position to the one set here.
  horizontal.SetScrollPos(x);
  PostMessageA(m_wndHorizontalBar.m_hWnd, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, x),
               reinterpret_cast<LPARAM>(horizontal.m_hWnd));
  vertical.SetScrollPos(y);
  PostMessageA(m_wndVerticalBar.m_hWnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, y),
               reinterpret_cast<LPARAM>(vertical.m_hWnd));
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

void CQovDesktopDialog::FollowActiveWindow() {
  HWND foreground = GetForegroundWindow();
  if (!foreground) return;
  fw::CWnd window;
  window.m_hWnd = foreground;
  const std::string title = window.GetWindowText();
  RECT rect = {}, client = {};
  GetWindowRect(foreground, &rect);
  GetClientRect(foreground, &client);
  MapWindowPoints(foreground, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
  const std::vector<core::Monitor> monitors = fw::Monitors();
  core::FollowDecision decision = core::DecideFollow(
      foreground == m_hWnd, title, m_strLastActiveTitle, IsZoomed(foreground) != FALSE,
      {client.left, client.top, client.right, client.bottom}, monitors, m_bMoveAuto != 0);
  if (!decision.record) return;
  m_strLastActiveTitle = title;
  // The jump brings the window to the primary monitor's top-left corner.
  core::Rect primary = monitors.front().area;
  for (const core::Monitor& m : monitors)
    if (m.primary) primary = m.area;
  m_nRecordedLeft = rect.left - primary.left;
  m_nRecordedTop = rect.top - primary.top;
  if (decision.jump) JumpToRecordedWindow();
}

void CQovDesktopDialog::OnTaskbarCreated() {
  // A restarted shell has forgotten the bars and its desktop thread is a new
  // one: register both again, the vertical bar first as at the start, and
  // hook the new desktop.
  m_wndVerticalBar.RegisterAgain();
  m_wndHorizontalBar.RegisterAgain();
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
      else
        OnTimer(static_cast<UINT_PTR>(wParam));
      return false;
    case WM_HOTKEY:
      if (m_viewKeys.Pressed(m_hWnd, CViewKeys::CommandOf(wParam)))
        OnViewKey(CViewKeys::CommandOf(wParam));
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
      return OnSysCommand(static_cast<UINT>(wParam));
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

void CQovDesktopDialog::OnDestroy() {
  KillTimer(m_hWnd, kFollowTimer);
  KillTimer(m_hWnd, kWallPaperTimer);
  m_viewKeys.Unregister(m_hWnd);
  UnSetHookDesktop();
  QovApp()->WinHelp(0, HELP_QUIT);
}
