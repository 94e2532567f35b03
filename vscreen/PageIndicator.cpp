#include "vscreen/PageIndicator.h"

#include <algorithm>

#include "core/screen.h"
#include "fw/display.h"
#include "vscreen/Gather.h"
#include "vscreen/PageMap.h"

namespace {

const char kClassName[] = "QovPageIndicator";
constexpr UINT_PTR kHideTimer = 1;
// A page's cell at 96 DPI, its margin, and the note's line.
constexpr int kCellWidth = 28, kMargin = 8, kNoteHeight = 18;

}  // namespace

CPageIndicator::~CPageIndicator() {
  if (m_hWnd) DestroyWindow(m_hWnd);
}

void CPageIndicator::Show(const core::ViewPage& page, const std::wstring& note) {
  m_page = page;
  m_note = note;
  // Placed on the monitor of the window the user is in, at the DPI there.
  const std::vector<core::Monitor> monitors = fw::Monitors();
  const core::Rect work = ActiveWorkArea();
  const int dpi = static_cast<int>(fw::DpiOf(m_hWnd ? m_hWnd : GetForegroundWindow()));
  const int cell = core::ScaleToDpi(kCellWidth, dpi), margin = core::ScaleToDpi(kMargin, dpi);
  const int screenWidth = std::max(1, monitors.front().area.right - monitors.front().area.left);
  const int screenHeight = std::max(1, monitors.front().area.bottom - monitors.front().area.top);
  const int cellHeight = std::max(1, cell * screenHeight / screenWidth);
  const int noteHeight = note.empty() ? 0 : core::ScaleToDpi(kNoteHeight, dpi);
  int width = page.cols * cell + 2 * margin, height = page.rows * cellHeight + 2 * margin + noteHeight;
  if (!note.empty()) width = std::max(width, core::ScaleToDpi(240, dpi));
  width = std::min(width, work.right - work.left);
  height = std::min(height, work.bottom - work.top);
  const int x = work.left + (work.right - work.left - width) / 2;
  const int y = work.top + (work.bottom - work.top - height) / 2;
  if (!m_hWnd) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);  // fails harmlessly when registered before
    // Layered and transparent: clicks go through it to the window below;
    // never activated, it never takes the keyboard from the user's window.
    m_hWnd = CreateWindowExA(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE | WS_EX_TOPMOST |
                                 WS_EX_TOOLWINDOW,
                             kClassName, "", WS_POPUP, x, y, width, height, nullptr, nullptr,
                             wc.hInstance, this);
    if (!m_hWnd) return;
    SetLayeredWindowAttributes(m_hWnd, 0, 224, LWA_ALPHA);
  }
  SetWindowPos(m_hWnd, HWND_TOPMOST, x, y, width, height,
               SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
  InvalidateRect(m_hWnd, nullptr, TRUE);
  SetTimer(m_hWnd, kHideTimer, kShowMs, nullptr);
}

void CPageIndicator::Hide() {
  if (!m_hWnd) return;
  KillTimer(m_hWnd, kHideTimer);
  ShowWindow(m_hWnd, SW_HIDE);
}

void CPageIndicator::Paint(HDC dc) {
  RECT client;
  GetClientRect(m_hWnd, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_APPWORKSPACE));
  const int dpi = static_cast<int>(fw::DpiOf(m_hWnd));
  const int noteHeight = m_note.empty() ? 0 : core::ScaleToDpi(kNoteHeight, dpi);
  // The pages in the proportions of the screen, as the overview draws them.
  const int pageWidth = 1000, pageHeight = 1000 * std::max(1, GetSystemMetrics(SM_CYSCREEN)) /
                                           std::max(1, GetSystemMetrics(SM_CXSCREEN));
  const core::OverviewScale s = core::ScaleOverview(
      client.right, client.bottom - noteHeight, core::ScaleToDpi(kMargin, dpi), pageWidth,
      pageHeight, m_page.cols, m_page.rows);
  pagemap::DrawPages(dc, s, -1);
  pagemap::DrawView(dc, s, m_page.col * pageWidth, m_page.row * pageHeight);
  if (m_note.empty()) return;
  RECT line = {client.left + 4, client.bottom - noteHeight, client.right - 4, client.bottom - 2};
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  DrawTextW(dc, m_note.c_str(), -1, &line,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  SelectObject(dc, old);
}

LRESULT CALLBACK CPageIndicator::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<CPageIndicator*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(
                                                 reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
      break;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    case WM_TIMER:
      if (wParam == kHideTimer && self) self->Hide();
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd, &paint);
      if (self) self->Paint(dc);
      EndPaint(hwnd, &paint);
      return 0;
    }
    case WM_NCDESTROY:
      if (self) self->m_hWnd = nullptr;
      break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}
