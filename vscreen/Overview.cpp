#include "vscreen/Overview.h"

#include <algorithm>
#include <cstring>

#include "core/screen.h"
#include "core/vscreen.h"
#include "fw/display.h"
#include "vscreen/EdgeBar.h"
#include "vscreen/Gather.h"
#include "vscreen/PageMap.h"
#include "vscreen/Pins.h"
#include "vscreen/ViewWindows.h"
#include "vscreen/WindowMover.h"

namespace {

struct Collecting {
  std::vector<COverview::Shown>* windows;
  core::Point origin;
  CViewWindows view;
};

// Every window of the view, where it is going.  Only its place and title are
// asked, which Windows answers without the window's thread.
BOOL CALLBACK Collect(HWND hwnd, LPARAM lParam) {
  Collecting& c = *reinterpret_cast<Collecting*>(lParam);
  wchar_t title[256] = L"";
  core::Rect r;
  if (!c.view.OfTheView(hwnd) || GetWindowTextW(hwnd, title, 256) <= 0 || !PlannedRect(hwnd, r))
    return TRUE;
  c.windows->push_back({hwnd,
                        {r.left - c.origin.x, r.top - c.origin.y, r.right - c.origin.x,
                         r.bottom - c.origin.y},
                        title, false, pins::IsPinned(hwnd)});
  return TRUE;
}

bool Same(const core::Rect& a, const core::Rect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

using pagemap::Frame;
using pagemap::ToRect;

}  // namespace

bool COverview::Open(fw::CWnd* owner) {
  if (!m_hWnd) {
    // Made on the monitor it shows on, so that it is scaled once, for that
    // monitor's DPI: the active window's monitor, or the primary.
    m_work = ActiveWorkArea();
    const POINT at = {m_work.left + (m_work.right - m_work.left) / 6,
                      m_work.top + (m_work.bottom - m_work.top) / 6};
    if (!Create(owner, &at)) return false;
  }
  SetForegroundWindow(m_hWnd);
  return true;
}

BOOL COverview::OnInitDialog() {
  fw::CDialog::OnInitDialog();
  m_windows.clear();
  m_shown = false;
  m_dragged = nullptr;
  // The overview stays where it is while the view it shows moves.
  pins::Toggle(m_hWnd);
  // Still the window the user was in: the overview is not shown yet.
  const HWND active = GetForegroundWindow();
  Refresh();
  for (Shown& w : m_windows) w.active = w.hwnd == active;
  // Two thirds of its monitor's work area, in the virtual screen's
  // proportions, in its middle.
  const RECT work = ToRect(m_work);
  const int roomX = (work.right - work.left) * 2 / 3, roomY = (work.bottom - work.top) * 2 / 3;
  const long long w = 1LL * m_scale.pageWidth * m_scale.cols, h = 1LL * m_scale.pageHeight * m_scale.rows;
  int cx = roomX, cy = static_cast<int>(roomX * h / w);
  if (cy > roomY) cy = roomY, cx = static_cast<int>(roomY * w / h);
  RECT frame = {0, 0, cx, cy};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(m_hWnd, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongA(m_hWnd, GWL_EXSTYLE)));
  const int fw = frame.right - frame.left, fh = frame.bottom - frame.top;
  SetWindowPos(m_hWnd, HWND_TOP, work.left + (work.right - work.left - fw) / 2,
               work.top + (work.bottom - work.top - fh) / 2, fw, fh, SWP_SHOWWINDOW);
  Refresh();
  return TRUE;
}

void COverview::Refresh() {
  const core::Rect space = ViewAreaOf(m_horizontal, m_vertical).space;
  const core::Point origin = {space.left, space.top};
  std::vector<Shown> windows;
  Collecting collecting = {&windows, origin, CViewWindows()};
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&collecting));
  // The active window stays the one that was active before the overview.
  for (Shown& w : windows)
    for (const Shown& b : m_windows)
      if (b.hwnd == w.hwnd) w.active = b.active;
  RECT client = {};
  GetClientRect(m_hWnd, &client);
  const core::ViewPage at = CurrentPageOf(m_horizontal, m_vertical);
  const core::OverviewScale scale = core::ScaleOverview(
      client.right, client.bottom, core::ScaleToDpi(8, static_cast<int>(fw::DpiOf(m_hWnd))),
      m_horizontal.m_nPageSize, m_vertical.m_nPageSize, at.cols, at.rows);
  const bool viewMoved = !m_shown || origin.x != m_origin.x || origin.y != m_origin.y;
  bool changed = viewMoved || windows.size() != m_windows.size() ||
                 std::memcmp(&scale, &m_scale, sizeof(scale)) != 0;
  for (size_t i = 0; !changed && i < windows.size(); ++i)
    changed = windows[i].hwnd != m_windows[i].hwnd || !Same(windows[i].place, m_windows[i].place) ||
              windows[i].title != m_windows[i].title || windows[i].pinned != m_windows[i].pinned;
  m_windows.swap(windows);
  m_origin = origin;
  m_scale = scale;
  m_shown = true;
  // The keyboard's choice starts again where the view went.
  if (viewMoved) m_selected = at.col + at.row * at.cols;
  if (m_hWnd && changed) InvalidateRect(m_hWnd, nullptr, FALSE);
}

int COverview::WindowAt(POINT client) const {
  for (size_t i = 0; i < m_windows.size(); ++i) {
    const RECT r = ToRect(core::ToOverview(m_scale, m_windows[i].place));
    if (PtInRect(&r, client)) return static_cast<int>(i);
  }
  return -1;
}

void COverview::GoToPage(int page) {
  if (page < 0 || page >= m_scale.cols * m_scale.rows) return;
  m_horizontal.HandleScroll(core::kThumbPosition, page % m_scale.cols * m_scale.pageWidth);
  m_vertical.HandleScroll(core::kThumbPosition, page / m_scale.cols * m_scale.pageHeight);
  Refresh();
}

void COverview::OnOK() {
  GoToPage(m_selected);
  fw::CDialog::OnOK();
  if (m_pagedByKeyboard) m_pagedByKeyboard();
}

const COverview::Shown* COverview::Find(HWND hwnd) const {
  for (const Shown& w : m_windows)
    if (w.hwnd == hwnd) return &w;
  return nullptr;
}

void COverview::OnButtonUp(POINT at) {
  const Shown* dragged = Find(m_dragged);
  m_dragged = nullptr;
  const bool moved = std::abs(at.x - m_dragFrom.x) > GetSystemMetrics(SM_CXDRAG) ||
                     std::abs(at.y - m_dragFrom.y) > GetSystemMetrics(SM_CYDRAG);
  if (!moved) {
    GoToPage(core::PageAt(m_scale, {at.x, at.y}));
    return;
  }
  // A drag that started on no window is no click either.
  if (!dragged) return;
  // The window goes where its outline was dropped on the virtual screen; an
  // outline dropped past its edge stays on it, so that no window is lost
  // where no view reaches.
  const core::Point from = core::FromOverview(m_scale, {m_dragFrom.x, m_dragFrom.y});
  const core::Point to = core::FromOverview(m_scale, {at.x, at.y});
  const core::Rect& p = dragged->place;
  const int dx = to.x - from.x, dy = to.y - from.y;
  const core::Rect space = {0, 0, m_scale.pageWidth * m_scale.cols, m_scale.pageHeight * m_scale.rows};
  const core::Screen virtualScreen = {{{space, true}}, {}};
  const core::Point dropped =
      core::NearestOnScreen({p.left + dx, p.top + dy, p.right + dx, p.bottom + dy}, virtualScreen);
  MoveWindowTo(dragged->hwnd, dropped.x + m_origin.x, dropped.y + m_origin.y);
  Refresh();
}

void COverview::OnDoubleClick(POINT at) {
  const int i = WindowAt(at);
  if (i < 0) return;
  // The view goes to the page that holds the window's middle; then the
  // window is made active, which closes the overview.
  const HWND window = m_windows[i].hwnd;
  const core::Rect p = m_windows[i].place;
  const int x = (p.left + p.right) / 2, y = (p.top + p.bottom) / 2;
  if (x >= 0 && y >= 0)
    GoToPage(std::min(x / m_scale.pageWidth, m_scale.cols - 1) +
             std::min(y / m_scale.pageHeight, m_scale.rows - 1) * m_scale.cols);
  SetForegroundWindow(window);
}

void COverview::OnKey(UINT key) {
  const int cols = m_scale.cols, rows = m_scale.rows;
  int col = m_selected % cols, row = m_selected / cols;
  switch (key) {
    case VK_LEFT: col = std::max(0, col - 1); break;
    case VK_RIGHT: col = std::min(cols - 1, col + 1); break;
    case VK_UP: row = std::max(0, row - 1); break;
    case VK_DOWN: row = std::min(rows - 1, row + 1); break;
    case VK_RETURN: OnOK(); return;
    case VK_ESCAPE: OnCancel(); return;
    default: return;
  }
  m_selected = col + row * cols;
  InvalidateRect(m_hWnd, nullptr, FALSE);
}

void COverview::Paint(HDC target, const RECT& client) {
  // Drawn off the screen first and copied in one piece: no flicker.
  HDC dc = CreateCompatibleDC(target);
  HBITMAP bitmap = CreateCompatibleBitmap(target, client.right, client.bottom);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(m_hWnd, WM_GETFONT, 0, 0)));
  FillRect(dc, &client, GetSysColorBrush(COLOR_APPWORKSPACE));
  const core::OverviewScale& s = m_scale;
  pagemap::DrawPages(dc, s, m_selected);
  SetBkMode(dc, TRANSPARENT);
  // Bottom first, so that the topmost window is drawn over the others.
  for (auto it = m_windows.rbegin(); it != m_windows.rend(); ++it) {
    RECT r = ToRect(core::ToOverview(s, it->place));
    FillRect(dc, &r, GetSysColorBrush(it->pinned ? COLOR_INFOBK : COLOR_WINDOW));
    Frame(dc, r, it->active ? 2 : 1, it->active ? COLOR_HIGHLIGHT : COLOR_WINDOWFRAME);
    if (it->pinned) {
      // A pinned window carries a dark square in its top-right corner.
      RECT mark = {r.right - 7, r.top + 2, r.right - 2, r.top + 7};
      FillRect(dc, &mark, GetSysColorBrush(COLOR_WINDOWTEXT));
    }
    InflateRect(&r, -3, -2);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    DrawTextW(dc, it->title.c_str(), -1, &r,
              DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  // The view: the page the screen shows now.
  pagemap::DrawView(dc, s, m_horizontal.m_nPosition, m_vertical.m_nPosition);
  if (const Shown* dragged = Find(m_dragged)) {
    RECT r = ToRect(core::ToOverview(s, dragged->place));
    OffsetRect(&r, m_dragTo.x - m_dragFrom.x, m_dragTo.y - m_dragFrom.y);
    DrawFocusRect(dc, &r);
  }
  BitBlt(target, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

bool COverview::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  const POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  switch (message) {
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(m_hWnd, &paint);
      RECT client;
      GetClientRect(m_hWnd, &client);
      if (client.right > 0 && client.bottom > 0) Paint(dc, client);
      EndPaint(m_hWnd, &paint);
      return true;
    }
    case WM_SIZE:
      if (m_hWnd) Refresh();
      return false;
    case fw::kWmDpiChanged: {
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(m_hWnd, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      return true;
    }
    case WM_ACTIVATE:
      // Another window took the foreground: the overview has done its work.
      if (LOWORD(wParam) == WA_INACTIVE) PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
      return false;
    case WM_LBUTTONDOWN:
      // The dialog class need not have CS_DBLCLKS (Wine's has not): a second
      // press soon enough and near enough is the double-click.
      if (static_cast<DWORD>(GetMessageTime() - m_lastPress) <= GetDoubleClickTime() &&
          std::abs(at.x - m_lastPressAt.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
          std::abs(at.y - m_lastPressAt.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2) {
        m_lastPress = GetMessageTime() - GetDoubleClickTime() - 1;
        OnDoubleClick(at);
        return true;
      }
      m_lastPress = GetMessageTime();
      m_lastPressAt = at;
      SetCapture(m_hWnd);
      m_dragged = WindowAt(at) >= 0 ? m_windows[WindowAt(at)].hwnd : nullptr;
      m_dragFrom = m_dragTo = at;
      return true;
    case WM_MOUSEMOVE:
      if (m_dragged && GetCapture() == m_hWnd) {
        m_dragTo = at;
        InvalidateRect(m_hWnd, nullptr, FALSE);
      }
      return true;
    case WM_LBUTTONUP:
      if (GetCapture() != m_hWnd) return true;
      ReleaseCapture();
      OnButtonUp(at);
      return true;
    case WM_LBUTTONDBLCLK:
      OnDoubleClick(at);
      return true;
    case WM_RBUTTONUP: {
      const int i = WindowAt(at);
      if (i >= 0) TogglePin(m_windows[i].hwnd, m_horizontal, m_vertical);
      Refresh();
      return true;
    }
    case WM_GETDLGCODE:
      result = DLGC_WANTALLKEYS;
      return true;
    case WM_KEYDOWN:
      OnKey(static_cast<UINT>(wParam));
      return true;
    default:
      return fw::CDialog::OnMessage(message, wParam, lParam, result);
  }
}
