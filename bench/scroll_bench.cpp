// Cost of one page scroll of the virtual screen with 10, 50 and 200 titled
// windows of another program, against the bare MoveWindow calls for the same
// windows, taken in turns in one run; the same scroll with 50 windows with
// and without one program among them that does not answer; and a thumb drag
// across the whole range (60 tracking messages) with 10 windows, one of
// them hung, with what the table of pending moves holds before and after the
// hung program is killed; the same with 50 windows while one program with 5
// of them is busy for 3 s; and the time to open the overview with 200
// windows against a bare dialog.
//
//   scroll_bench.exe [ROUNDS]      (QOV_HELPER_DIR names qov_helper.exe's folder)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/QovDesktopApp.h"
#include "app/QovDesktopDialog.h"
#include "support/testsupport.h"
#include "vscreen/WindowMover.h"

#include "timing.h"

namespace {

void Scroll(CEdgeBar& bar, int code, int thumb = 0) {
  SendMessageA(bar.m_hWnd, WM_HSCROLL, MAKEWPARAM(code, static_cast<WORD>(thumb)),
               reinterpret_cast<LPARAM>(bar.m_ScrollBar.m_hWnd));
}

void MoveAll(const std::vector<HWND>& windows, int dx) {
  for (HWND hwnd : windows) {
    RECT r;
    GetWindowRect(hwnd, &r);
    MoveWindow(hwnd, r.left + dx, r.top, r.right - r.left, r.bottom - r.top, TRUE);
  }
}

std::vector<std::string> Layouts(int count, int first = 0) {
  std::vector<std::string> layouts;
  for (int i = first; i < first + count; ++i)
    layouts.push_back("|Bench " + std::to_string(i) + "|" + std::to_string(20 + (i * 7) % 600) +
                      "," + std::to_string(20 + (i * 5) % 400) + ",200,150|");
  return layouts;
}

void End(qovtest::WindowHost& host) {
  for (HWND hwnd : host.Windows()) PostMessageA(hwnd, WM_CLOSE, 0, 0);
  if (!host.Proc().WaitForExit(5000)) host.Proc().Kill();
}

// One page right and back, in ms per scroll.
double PageScroll(CEdgeBar& bar) {
  double t0 = bench::NowMs();
  Scroll(bar, SB_PAGERIGHT);
  Scroll(bar, SB_PAGELEFT);
  double ms = (bench::NowMs() - t0) / 2;
  qovtest::Pump(0);
  return ms;
}

// 60 tracking messages from one end of the range to the other, then the release.
double Drag(CEdgeBar& bar) {
  Scroll(bar, SB_THUMBPOSITION, 0);
  double t0 = bench::NowMs();
  for (int i = 1; i <= 60; ++i) Scroll(bar, SB_THUMBTRACK, bar.Maximum() * i / 60);
  Scroll(bar, SB_THUMBPOSITION, bar.Maximum());
  double ms = bench::NowMs() - t0;
  Scroll(bar, SB_THUMBPOSITION, bar.Home());
  return ms;
}

// Opening the overview with the windows there are, shown and drawn, against
// a bare dialog (the about box) made and drawn, in turns.
std::string OverviewAgainstBareDialog(CQovDesktopDialog& dialog) {
  std::vector<double> overview, bare;
  for (int i = 0; i < 11; ++i) {
    double t0 = bench::NowMs();
    dialog.m_overview.Open(&dialog);
    UpdateWindow(dialog.m_overview.m_hWnd);
    overview.push_back(bench::NowMs() - t0);
    dialog.m_overview.DestroyWindow();
    qovtest::Pump(0);
    fw::CDialog about(IDD_ABOUTBOX);
    t0 = bench::NowMs();
    about.Create(&dialog);
    ShowWindow(about.m_hWnd, SW_SHOW);
    UpdateWindow(about.m_hWnd);
    bare.push_back(bench::NowMs() - t0);
    about.DestroyWindow();
    qovtest::Pump(0);
  }
  char row[200];
  std::snprintf(row, sizeof(row),
                "\nopening the overview with 200 windows (median of 11): %.1f ms; a bare dialog: "
                "%.1f ms; ratio %.2f\n",
                bench::Median(overview), bench::Median(bare),
                bench::Median(overview) / bench::Median(bare));
  return row;
}

}  // namespace

int main(int argc, char** argv) {
  // Cross-process moves cost milliseconds each under Wine: fewer rounds for
  // more windows keep the run to a minute or two.
  const int baseRounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 15;
  CQovDesktopApp app;
  app.Attach(GetModuleHandleA(nullptr));
  app.SetRegistryKey("QovSoft");
  qovtest::AppKeyGuard key(app.AppName());

  std::string overviewRow;
  std::printf("one page scroll (median, taken in turns with the bare moves):\n");
  std::printf("  windows  rounds   scroll ms   bare MoveWindow ms   ratio\n");
  for (int count : {10, 50, 200}) {
    const int rounds = std::max(3, baseRounds * 10 / count);
    qovtest::WindowHost host;
    if (!host.Start(Layouts(count))) {
      std::fprintf(stderr, "could not start the window host\n");
      return 1;
    }
    CQovDesktopDialog dialog;
    if (!dialog.Create()) return 1;
    CEdgeBar& bar = dialog.m_wndHorizontalBar;
    const int page = bar.m_nPageSize;
    std::vector<double> scroll, bare;
    for (int i = 0; i < rounds; ++i) {
      scroll.push_back(PageScroll(bar));
      double t1 = bench::NowMs();
      MoveAll(host.Windows(), -page);
      MoveAll(host.Windows(), page);
      bare.push_back((bench::NowMs() - t1) / 2);
    }
    double s = bench::Median(scroll), b = bench::Median(bare);
    std::printf("  %7d  %6d   %9.3f   %18.3f   %5.2f\n", count, rounds, s, b, s / b);
    if (count == 200) overviewRow = OverviewAgainstBareDialog(dialog);
    dialog.DestroyWindow();
    End(host);
  }

  std::printf("%s", overviewRow.c_str());

  // 49 windows of one program and one of another, which then stops answering.
  {
    const int rounds = std::max(5, baseRounds);
    qovtest::WindowHost host, stuck;
    if (!host.Start(Layouts(49)) || !stuck.Start(Layouts(1, 49))) return 1;
    CQovDesktopDialog dialog;
    if (!dialog.Create()) return 1;
    CEdgeBar& bar = dialog.m_wndHorizontalBar;
    std::vector<double> answering, hung;
    for (int i = 0; i < rounds; ++i) answering.push_back(PageScroll(bar));
    stuck.Hang(600000);
    Sleep(200);
    // The first scroll after it stopped answering waits for it once.
    double t0 = bench::NowMs();
    Scroll(bar, SB_PAGERIGHT);
    const double first = bench::NowMs() - t0;
    Scroll(bar, SB_PAGELEFT);
    for (int i = 0; i < rounds; ++i) hung.push_back(PageScroll(bar));
    double a = bench::Median(answering), h = bench::Median(hung);
    std::printf("\none page scroll with 50 windows (median of %d), one program not answering:\n",
                rounds);
    std::printf("  all answering %.3f ms   one hung %.3f ms   ratio %.2f   "
                "(the first scroll after it stopped answering: %.1f ms)\n",
                a, h, h / a, first);
    dialog.DestroyWindow();
    stuck.Proc().Kill();
    End(host);
  }

  // 45 windows of one program and 5 of another, which is then busy for 3 s
  // at a time (not hung by Windows' rule of 5 s): the first scroll of each
  // busy spell against a scroll with every program answering.
  {
    const int rounds = 5;
    qovtest::WindowHost host, busy;
    if (!host.Start(Layouts(45)) || !busy.Start(Layouts(5, 45))) return 1;
    CQovDesktopDialog dialog;
    if (!dialog.Create()) return 1;
    CEdgeBar& bar = dialog.m_wndHorizontalBar;
    auto pageRight = [&] {
      double t0 = bench::NowMs();
      Scroll(bar, SB_PAGERIGHT);
      return bench::NowMs() - t0;
    };
    std::vector<double> answering, busyScrolls;
    for (int i = 0; i < rounds; ++i) {
      answering.push_back(pageRight());
      Scroll(bar, SB_PAGELEFT);
      busy.Hang(3000);
      Sleep(100);
      busyScrolls.push_back(pageRight());
      Sleep(3000);
      Scroll(bar, SB_PAGELEFT);
      qovtest::Pump(0);
    }
    double a = bench::Median(answering), b = bench::Median(busyScrolls);
    std::printf("\none page scroll with 50 windows (median of %d), one program with 5 of them "
                "busy for 3 s:\n  all answering %.3f ms   one busy %.3f ms   difference %.1f ms\n",
                rounds, a, b, b - a);
    dialog.DestroyWindow();
    End(busy);
    End(host);
  }

  // The drag, with 9 answering windows and one hung.
  {
    qovtest::WindowHost host, stuck;
    if (!host.Start(Layouts(9)) || !stuck.Start(Layouts(1, 9))) return 1;
    HWND hung = stuck.Windows()[0];
    CQovDesktopDialog dialog;
    if (!dialog.Create()) return 1;
    CEdgeBar& bar = dialog.m_wndHorizontalBar;
    const double answering = Drag(bar);
    stuck.Hang(600000);
    Sleep(200);
    const double withHung = Drag(bar);
    Scroll(bar, SB_PAGERIGHT);
    const size_t pending = PendingMoveCount();
    RECT before;
    GetWindowRect(hung, &before);
    stuck.Proc().Kill();
    const size_t afterKill = PendingMoveCount();
    ForgetFinishedMoves(true);  // what the main window's next tick does
    std::printf("\nthumb drag across the whole range with 10 windows: 60 tracking messages "
                "and the release\n  all answering %.0f ms (%.2f ms a message)   one hung %.0f ms "
                "(%.2f ms a message)\n",
                answering, answering / 61, withHung, withHung / 61);
    std::printf("pending moves while hung: %zu (its window and its thread's \"Default IME\"); "
                "after its program was killed: %zu until the next tick, %zu after it\n",
                pending, afterKill, PendingMoveCount());
    dialog.DestroyWindow();
    End(host);
  }
  return 0;
}
