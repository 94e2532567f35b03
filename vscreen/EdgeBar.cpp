#include "vscreen/EdgeBar.h"

#include "core/settings_rules.h"
#include "core/vscreen.h"
#include "fw/display.h"
#include "fw/shellwnd.h"
#include "vscreen/WindowMover.h"

APPBARDATA g_abdHorizontal;
APPBARDATA g_abdVertical;

namespace {

const EdgeBarAxis kHorizontal = {IDD_HORIZONTAL_BAR, IDC_HORIZONTAL_SCROLLBAR, WM_HSCROLL,
                                 WM_HBAR_NOTIFY, ABE_BOTTOM, true};
const EdgeBarAxis kVertical = {IDD_VERTICAL_BAR, IDC_VERTICAL_SCROLLBAR, WM_VSCROLL,
                               WM_VBAR_NOTIFY, ABE_RIGHT, false};

// Windows' shell keeps app bars off its taskbar; Wine's does not, so the
// bars do it themselves.  Where the shell did, this changes nothing.  An
// auto-hide taskbar takes no strip of its own: a bar keeps clear of it only
// while it pops up, and would be left a taskbar height too high.
void KeepClearOfTaskbar(RECT& rc, const core::Rect& monitor) {
  HWND taskbar = fw::FindTaskbar();
  RECT t;
  if (!taskbar || !IsWindowVisible(taskbar) || !GetWindowRect(taskbar, &t)) return;
  for (UINT edge : {ABE_LEFT, ABE_TOP, ABE_RIGHT, ABE_BOTTOM}) {
    APPBARDATA query = {};
    query.cbSize = sizeof(query);
    query.uEdge = edge;
    if (reinterpret_cast<HWND>(SHAppBarMessage(ABM_GETAUTOHIDEBAR, &query)) == taskbar) return;
  }
  core::Rect clipped = core::ClipToTaskbar({rc.left, rc.top, rc.right, rc.bottom},
                                           {t.left, t.top, t.right, t.bottom}, monitor);
  SetRect(&rc, clipped.left, clipped.top, clipped.right, clipped.bottom);
}

void SetZOrder(HWND hwnd, HWND after) {
  SetWindowPos(hwnd, after, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

}  // namespace

CHorizontalScrollDialog::CHorizontalScrollDialog() : CEdgeBar(kHorizontal, g_abdHorizontal) {}

CVerticalScrollDialog::CVerticalScrollDialog() : CEdgeBar(kVertical, g_abdVertical) {}

CEdgeBar::CEdgeBar(const EdgeBarAxis& axis, APPBARDATA& record)
    : fw::CDialog(axis.templateId), m_axis(axis), m_record(record) {}

bool CEdgeBar::Create(fw::CWnd* parent, const EdgeBarSettings& settings) {
  m_settings = settings;
  return fw::CDialog::Create(parent);
}

int& CEdgeBar::MoveOffset() const { return m_axis.horizontal ? g_nMoveOffsetX : g_nMoveOffsetY; }

int& CEdgeBar::MoveDesktopIcons() const {
  return m_axis.horizontal ? g_bMoveDesktopIconsX : g_bMoveDesktopIconsY;
}

void CEdgeBar::SetMoveDesktopIcons(int flag) { MoveDesktopIcons() = core::NormaliseFlag(flag); }

BOOL CEdgeBar::OnInitDialog() {
  fw::CDialog::OnInitDialog();
  m_ScrollBar.Attach(GetDlgItem(m_hWnd, m_axis.controlId));

  m_nScreenCount = m_settings.screenCount;
  LayOut();
  SetMoveDesktopIcons(m_settings.moveDesktopIcons);
  if (m_settings.viewKept) {
    // A run that ended without bringing the windows home left them this far
    // from home: the view starts there, within this run's range, and what
    // the range cannot show is made good by moving the windows now.
    const int kept = m_nHome + m_settings.keptOffset;
    m_nPosition = core::ClampToAxis(kept, m_nMaximum);
    m_ScrollBar.SetScrollPos(m_nPosition);
    MoveWindowsBy(kept - m_nPosition);
  }
  RegisterAgain();
  return TRUE;
}

void CEdgeBar::LayOut() {
  const core::Rect page = core::PageOf(fw::Monitors());
  m_nPageSize = m_axis.horizontal ? page.right - page.left : page.bottom - page.top;
  m_nPageOrigin = m_axis.horizontal ? page.left : page.top;
  m_nMaximum = core::AxisMaximum(m_nPageSize, m_nScreenCount);
  m_ScrollBar.SetScrollRange(0, m_nMaximum);
  m_nHome = core::InitialPosition(m_nPageSize, m_nScreenCount);
  m_nPosition = m_nHome;
  m_ScrollBar.SetScrollPos(m_nPosition);
}

void CEdgeBar::LayOutAgain() {
  ScrollHome();
  LayOut();
  PlaceBar();
}

void CEdgeBar::RegisterAgain() {
  m_record = APPBARDATA{};
  m_record.cbSize = sizeof(APPBARDATA);
  m_record.hWnd = m_hWnd;
  m_record.uCallbackMessage = m_axis.notifyMessage;
  m_record.uEdge = m_axis.edge;
  SHAppBarMessage(ABM_NEW, &m_record);
  PlaceBar();
}

void CEdgeBar::PlaceBar() {
  if (!m_hWnd) return;
  // The bar stands on an outer edge of the monitors, never between two.
  const std::vector<core::Monitor> monitors = fw::Monitors();
  const core::Rect monitor = monitors[core::BarMonitor(monitors, m_axis.horizontal)].area;
  const int thickness = core::ScaleToDpi(kThickness, fw::DpiOf(m_hWnd));
  auto propose = [&] {
    const core::Rect strip = core::BarStrip(monitor, m_axis.horizontal, thickness);
    SetRect(&m_record.rc, strip.left, strip.top, strip.right, strip.bottom);
  };
  m_record.uEdge = m_axis.edge;
  propose();
  SHAppBarMessage(ABM_QUERYPOS, &m_record);
  KeepClearOfTaskbar(m_record.rc, monitor);
  // The shell may have clipped the proposal against other bars; keep the
  // thickness.  The horizontal bar sits on whatever the shell left at the
  // bottom; the vertical bar always asks for the whole right strip.
  if (m_axis.horizontal)
    m_record.rc.top = m_record.rc.bottom - thickness;
  else
    propose();
  KeepClearOfTaskbar(m_record.rc, monitor);
  SHAppBarMessage(ABM_SETPOS, &m_record);
  RECT& rc = m_record.rc;
  // A bar the shell granted less than its thickness (a killed run's bars
  // may still hold the strip) could not be used: it takes its edge anyway.
  core::Rect fitted = core::FitBarToEdge({rc.left, rc.top, rc.right, rc.bottom}, m_axis.horizontal,
                                         thickness, monitor);
  SetRect(&rc, fitted.left, fitted.top, fitted.right, fitted.bottom);
  MoveWindow(m_hWnd, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
  FitControl();
}

int CEdgeBar::ControlRoom() const {
  const std::vector<core::Monitor> monitors = fw::Monitors();
  const core::Rect work = core::WorkArea(monitors[core::BarMonitor(monitors, m_axis.horizontal)]);
  return m_axis.horizontal ? work.right - work.left : work.bottom - work.top;
}

void CEdgeBar::FitControl() {
  m_nControlRoom = ControlRoom();
  RECT client, control;
  if (!GetClientRect(m_hWnd, &client) || !GetWindowRect(m_ScrollBar.m_hWnd, &control)) return;
  // The work area of the bar's own monitor, which may be longer than the
  // primary's; a shell that never shrinks the work area (Wine's) leaves it
  // longer than the bar.
  const int length = core::ControlLength(m_nControlRoom,
                                         m_axis.horizontal ? client.right : client.bottom);
  const int thickness = core::ScaleToDpi(kControlThickness, fw::DpiOf(m_hWnd));
  const int width = m_axis.horizontal ? length : thickness;
  const int height = m_axis.horizontal ? thickness : length;
  if (control.right - control.left == width && control.bottom - control.top == height) return;
  MoveWindow(m_ScrollBar.m_hWnd, 1, 1, width, height, TRUE);
}

void CEdgeBar::ScrollHome() { HandleScroll(core::kThumbPosition, m_nHome); }

void CEdgeBar::MoveWindowsBy(int offset) {
  MoveOffset() = offset;
  ForgetFinishedMoves();
  if (offset == 0) return;
  EnumWindows(m_axis.horizontal ? MoveWindowProcX : MoveWindowProcY, 0);
  FinishMoves();
}

void CEdgeBar::HandleScroll(int code, int thumbPosition) {
  core::AxisStep step =
      core::ScrollAxis(code, m_ScrollBar.GetScrollPos(), m_nPosition, thumbPosition, m_nPageSize,
                       m_nMaximum, m_settings.fineFirst != 0);
  if (!step.handled) return;
  m_nPosition = step.position;
  MoveWindowsBy(step.offset);
  m_ScrollBar.SetScrollPos(m_nPosition);
  if (m_settings.viewMoved) m_settings.viewMoved();
}

void CEdgeBar::OnAppBarNotify(UINT code, LPARAM lParam) {
  if (code == ABN_STATECHANGE || code == ABN_FULLSCREENAPP) {
    const UINT state = static_cast<UINT>(SHAppBarMessage(ABM_GETSTATE, &m_record));
    const core::BarZOrder order = core::BarZOrderFor(code, state, lParam != 0);
    if (order != core::BarZOrder::kKeep)
      SetZOrder(m_hWnd, order == core::BarZOrder::kTopmost ? HWND_TOPMOST : HWND_BOTTOM);
  }
  // Another bar or the taskbar moved, or a full-screen program came or went:
  // dock again so as not to overlap it.
  if (code == ABN_POSCHANGED || code == ABN_FULLSCREENAPP) PlaceBar();
}

void CEdgeBar::OnPaint() {
  PAINTSTRUCT paint;
  BeginPaint(m_hWnd, &paint);
  // Whatever a notification did, a painted bar is not in the topmost group.
  // The bar never takes the keyboard focus from the user's window for this.
  SetZOrder(m_hWnd, HWND_NOTOPMOST);
  if (ControlRoom() != m_nControlRoom) FitControl();
  EndPaint(m_hWnd, &paint);
}

void CEdgeBar::RaiseTaskbar() {
  HWND taskbar = fw::FindTaskbar();
  if (taskbar) SetWindowPos(taskbar, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

bool CEdgeBar::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  // The shell's notifications come first and go nowhere else.
  if (message == m_axis.notifyMessage) {
    OnAppBarNotify(static_cast<UINT>(wParam), lParam);
    result = 0;
    return true;
  }
  if (message == m_axis.scrollMessage) {
    HandleScroll(LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
    return false;
  }
  switch (message) {
    case WM_PAINT:
      OnPaint();
      result = 0;
      return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      RaiseTaskbar();
      return false;
    case fw::kWmDpiChanged:
      // Moved onto a monitor of another scaling, or the scaling changed: the
      // bar and its control take the new thickness on their edge.
      PlaceBar();
      result = 0;
      return true;
    case WM_DESTROY:
      // Registered or not, the strip goes back to the work area.
      SHAppBarMessage(ABM_REMOVE, &m_record);
      return false;
    default:
      return fw::CDialog::OnMessage(message, wParam, lParam, result);
  }
}
