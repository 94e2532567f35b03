// Scrolling the virtual screen: the main window and its bars hosted here,
// windows of another program moved.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <random>
#include <string>
#include <vector>

#include "app/QovDesktopApp.h"
#include "app/QovDesktopDialog.h"
#include "support/app_fixture.h"
#include "support/testsupport.h"
#include "vscreen/WindowMover.h"

using namespace qovtest;

namespace {

class Scrolling : public AppTest {
 protected:
  // Sends a scroll code to a bar as its scroll bar control would.
  static void Scroll(CEdgeBar& bar, bool horizontal, int code, int thumb = 0) {
    SendMessageA(bar.m_hWnd, horizontal ? WM_HSCROLL : WM_VSCROLL,
                 MAKEWPARAM(code, static_cast<WORD>(thumb)),
                 reinterpret_cast<LPARAM>(bar.m_ScrollBar.m_hWnd));
  }
};

POINT TopLeft(HWND hwnd) {
  RECT r = WindowRect(hwnd);
  return {r.left, r.top};
}

POINT RestoredTopLeft(HWND hwnd) {
  WINDOWPLACEMENT placement = {sizeof(placement)};
  GetWindowPlacement(hwnd, &placement);
  return {placement.rcNormalPosition.left, placement.rcNormalPosition.top};
}

TEST_F(Scrolling, MovesTitledWindowsByTheDistanceScrolled) {
  WindowHost host;
  ASSERT_TRUE(host.Start({"|Shown|100,120,300,200|", "|Hidden|140,160,300,200|h",
                          "|Iconic|180,200,300,200|m", "||220,240,300,200|"}));
  HWND shown = host.Find("Shown"), hidden = host.Find("Hidden"), iconic = host.Find("Iconic");
  HWND untitled = host.Windows()[3];
  const POINT iconicBefore = RestoredTopLeft(iconic), untitledBefore = TopLeft(untitled);

  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  CEdgeBar& bar = dialog.m_wndHorizontalBar;
  const int page = GetSystemMetrics(SM_CXSCREEN);
  ASSERT_EQ(bar.m_nPosition, page);  // the middle of three screens
  ASSERT_EQ(bar.m_ScrollBar.GetScrollPos(), page);

  struct Step {
    int code, thumb, expectedPosition;
  };
  const int line = page / 10;
  const Step steps[] = {
      {SB_LINERIGHT, 0, page + line},
      {SB_PAGERIGHT, 0, 2 * page},       // clamped at the end
      {SB_PAGERIGHT, 0, 2 * page},       // at the end: nothing moves
      {SB_LINERIGHT, 0, 2 * page},
      {SB_THUMBTRACK, page + 7, page + 7},
      {SB_THUMBTRACK, page / 2, page / 2},
      {SB_THUMBPOSITION, page / 2, page / 2},  // nothing left to move
      {SB_PAGELEFT, 0, 0},
      {SB_LINELEFT, 0, 0},
      {SB_ENDSCROLL, 0, 0},
      {SB_TOP, 0, 0},
  };
  int position = page;
  POINT start = TopLeft(shown), startHidden = TopLeft(hidden);
  for (const Step& step : steps) {
    Scroll(bar, true, step.code, step.thumb);
    EXPECT_EQ(bar.m_nPosition, step.expectedPosition) << "code " << step.code;
    EXPECT_EQ(bar.m_ScrollBar.GetScrollPos(), step.expectedPosition);
    position = step.expectedPosition;
    EXPECT_EQ(TopLeft(shown).x, start.x + page - position) << "code " << step.code;
    EXPECT_EQ(TopLeft(hidden).x, startHidden.x + page - position);
    EXPECT_EQ(TopLeft(shown).y, start.y);
    EXPECT_EQ(RestoredTopLeft(iconic).x, iconicBefore.x);
    EXPECT_EQ(TopLeft(untitled).x, untitledBefore.x);
  }

  // The vertical axis the same way, with "fine first" from between pages.
  dialog.m_bFineFirst = 1;
  CEdgeBar& vbar = dialog.m_wndVerticalBar;
  const int vpage = GetSystemMetrics(SM_CYSCREEN);
  POINT before = TopLeft(shown);
  Scroll(vbar, false, SB_THUMBTRACK, vpage + 100);
  Scroll(vbar, false, SB_PAGEDOWN);
  EXPECT_EQ(vbar.m_nPosition, 2 * vpage);
  Scroll(vbar, false, SB_PAGEUP);
  Scroll(vbar, false, SB_LINEUP);
  EXPECT_EQ(vbar.m_nPosition, vpage - vpage / 10);
  EXPECT_EQ(TopLeft(shown).y, before.y + vpage / 10);
  EXPECT_EQ(TopLeft(shown).x, before.x);
  EXPECT_EQ(RestoredTopLeft(iconic).y, iconicBefore.y);
}

// The shell's desktop as the mover knows it: "Program Manager" with the
// desktop view as its child and the icon list view as the grandchild.
struct DesktopStandIn {
  DesktopStandIn() {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "Progman";
    RegisterClassA(&wc);
    wc.lpszClassName = "SHELLDLL_DefView";
    RegisterClassA(&wc);
    progman = CreateWindowExA(0, "Progman", "Program Manager", WS_POPUP | WS_VISIBLE, 0, 0, 400,
                              300, nullptr, nullptr, wc.hInstance, nullptr);
    view = CreateWindowExA(0, "SHELLDLL_DefView", "", WS_CHILD | WS_VISIBLE, 0, 0, 400, 300,
                           progman, nullptr, wc.hInstance, nullptr);
    icons = CreateWindowExA(0, WC_LISTVIEWA, "FolderView", WS_CHILD | WS_VISIBLE | LVS_ICON, 0, 0,
                            400, 300, view, nullptr, wc.hInstance, nullptr);
  }
  ~DesktopStandIn() { DestroyWindow(progman); }
  HWND progman, view, icons;
};

TEST_F(Scrolling, DesktopIconsSlideInPlaceOfTheDesktopWhenSet) {
  DesktopStandIn desktop;
  ASSERT_NE(desktop.icons, nullptr);
  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  CEdgeBar& bar = dialog.m_wndHorizontalBar;
  const int line = GetSystemMetrics(SM_CXSCREEN) / 10;

  Scroll(bar, true, SB_LINERIGHT);  // flag off: the desktop window itself moves
  EXPECT_EQ(TopLeft(desktop.progman).x, -line);
  EXPECT_EQ(TopLeft(desktop.icons).x, -line);  // carried along by its parent
  Scroll(bar, true, SB_LINELEFT);
  EXPECT_EQ(TopLeft(desktop.progman).x, 0);

  bar.SetMoveDesktopIcons(1);  // flag on: only the icon list view moves
  Scroll(bar, true, SB_LINERIGHT);
  EXPECT_EQ(TopLeft(desktop.progman).x, 0);
  EXPECT_EQ(TopLeft(desktop.view).x, 0);
  EXPECT_EQ(TopLeft(desktop.icons).x, -line);
  Scroll(bar, true, SB_LINERIGHT);
  EXPECT_EQ(TopLeft(desktop.icons).x, -2 * line);
  // The vertical axis keeps its own flag, read from the settings at start.
  Scroll(dialog.m_wndVerticalBar, false, SB_LINEDOWN);
  EXPECT_EQ(TopLeft(desktop.progman).y, -GetSystemMetrics(SM_CYSCREEN) / 10);

  // A stored non-zero value turns it on for both bars of the next start.
  dialog.DestroyWindow();
  SetDword(m_key + "\\Setting", "Move desktop icons", 7);
  CQovDesktopDialog next;
  ASSERT_TRUE(next.Create());
  EXPECT_EQ(g_bMoveDesktopIconsX, 1);
  EXPECT_EQ(g_bMoveDesktopIconsY, 1);
}

TEST_F(Scrolling, RandomScrollsKeepEveryWindowOnItsVirtualPlace) {
  std::vector<std::string> layouts;
  for (int i = 0; i < 8; ++i)
    layouts.push_back("|W" + std::to_string(i) + "|" + std::to_string(40 * i) + "," +
                    std::to_string(30 * i) + ",200,150|" + (i == 7 ? "h" : ""));
  WindowHost host;
  ASSERT_TRUE(host.Start(layouts));
  std::vector<POINT> start;
  for (HWND hwnd : host.Windows()) start.push_back(TopLeft(hwnd));

  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  CEdgeBar* bars[] = {&dialog.m_wndHorizontalBar, &dialog.m_wndVerticalBar};
  const int startX = bars[0]->m_nPosition, startY = bars[1]->m_nPosition;
  std::mt19937 random(20261206);
  for (int i = 0; i < 150; ++i) {
    int axis = static_cast<int>(random() % 2);
    int code = static_cast<int>(random() % 8);  // 6 and 7: codes that change nothing
    int thumb = static_cast<int>(random() % (bars[axis]->Maximum() + 1));
    dialog.m_bFineFirst = static_cast<int>(random() % 2);
    Scroll(*bars[axis], axis == 0, code, thumb);
  }
  const int dx = startX - bars[0]->m_nPosition, dy = startY - bars[1]->m_nPosition;
  for (size_t i = 0; i < host.Windows().size(); ++i) {
    POINT now = TopLeft(host.Windows()[i]);
    EXPECT_EQ(now.x, start[i].x + dx) << "window " << i;
    EXPECT_EQ(now.y, start[i].y + dy) << "window " << i;
  }
}

TEST_F(Scrolling, BadScreenCountsGiveSafeRanges) {
  SetDword(m_key + "\\Screen", "Width", 0);
  SetDword(m_key + "\\Screen", "Height", 1000);
  WindowHost host;
  ASSERT_TRUE(host.Start({"|Shown|100,120,300,200|"}));
  HWND shown = host.Find("Shown");
  CQovDesktopDialog dialog;
  ASSERT_TRUE(dialog.Create());
  EXPECT_EQ(dialog.m_nWidth, 0);  // kept as read
  CEdgeBar& hbar = dialog.m_wndHorizontalBar;
  CEdgeBar& vbar = dialog.m_wndVerticalBar;
  int low = -1, high = -1;
  GetScrollRange(hbar.m_ScrollBar.m_hWnd, SB_CTL, &low, &high);
  EXPECT_EQ(low, 0);
  EXPECT_EQ(high, 0);
  POINT before = TopLeft(shown);
  for (int code : {SB_LINERIGHT, SB_PAGERIGHT, SB_THUMBTRACK, SB_LINELEFT})
    Scroll(hbar, true, code, 500);
  EXPECT_EQ(TopLeft(shown).x, before.x);
  // A thousand screens down would be 767232 pixels: the range stops where
  // 16-bit thumb positions stop, and a drag to the end moves windows up.
  GetScrollRange(vbar.m_ScrollBar.m_hWnd, SB_CTL, &low, &high);
  EXPECT_EQ(high, 32767);
  EXPECT_EQ(vbar.m_nPosition, 32767);
  Scroll(vbar, false, SB_THUMBTRACK, 32767 - 500);
  EXPECT_EQ(TopLeft(shown).y, before.y + 500);
  Scroll(vbar, false, SB_THUMBPOSITION, 32767);
  EXPECT_EQ(TopLeft(shown).y, before.y);
}

}  // namespace
