// Cost of one page scroll of the virtual screen with 10, 50 and 200 titled
// windows of another program, against the bare MoveWindow calls for the same
// windows, taken in turns in one run; and the time a thumb drag across the
// whole range takes to deliver its moves.
//
//   scroll_bench.exe [ROUNDS]      (QOV_HELPER_DIR names qov_winhost.exe's folder)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/QovDesktopApp.h"
#include "app/QovDesktopDialog.h"
#include "support/testsupport.h"

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

}  // namespace

int main(int argc, char** argv) {
  // Cross-process moves cost milliseconds each under Wine: fewer rounds for
  // more windows keep the run to a minute or two.
  const int baseRounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 15;
  CQovDesktopApp app;
  app.Attach(GetModuleHandleA(nullptr));
  app.SetRegistryKey("QovSoft");
  qovtest::AppKeyGuard key(app.AppName());

  std::printf("one page scroll (median, taken in turns with the bare moves):\n");
  std::printf("  windows  rounds   scroll ms   bare MoveWindow ms   ratio\n");
  double dragMs = 0;
  int dragMessages = 0;
  for (int count : {10, 50, 200}) {
    const int rounds = std::max(3, baseRounds * 10 / count);
    std::vector<std::string> layouts;
    for (int i = 0; i < count; ++i)
      layouts.push_back("|Bench " + std::to_string(i) + "|" + std::to_string(20 + (i * 7) % 600) +
                      "," + std::to_string(20 + (i * 5) % 400) + ",200,150|");
    qovtest::WindowHost host;
    if (!host.Start(layouts)) {
      std::fprintf(stderr, "could not start the window host\n");
      return 1;
    }
    CQovDesktopDialog dialog;
    if (!dialog.Create()) return 1;
    CEdgeBar& bar = dialog.m_wndHorizontalBar;
    const int page = bar.m_nPageSize;
    std::vector<double> scroll, bare;
    for (int i = 0; i < rounds; ++i) {
      // From the middle screen one page right and back: two scrolls.
      double t0 = bench::NowMs();
      Scroll(bar, SB_PAGERIGHT);
      Scroll(bar, SB_PAGELEFT);
      double t1 = bench::NowMs();
      MoveAll(host.Windows(), -page);
      MoveAll(host.Windows(), page);
      double t2 = bench::NowMs();
      scroll.push_back((t1 - t0) / 2);
      bare.push_back((t2 - t1) / 2);
      qovtest::Pump(0);
    }
    double s = bench::Median(scroll), b = bench::Median(bare);
    std::printf("  %7d  %6d   %9.3f   %18.3f   %5.2f\n", count, rounds, s, b, s / b);

    if (count == 10) {
      // A drag across the whole range as a mouse gives it: a tracking message
      // every 32 positions, then the release.
      Scroll(bar, SB_THUMBPOSITION, 0);
      double t0 = bench::NowMs();
      for (int position = 32; position <= bar.Maximum(); position += 32, ++dragMessages)
        Scroll(bar, SB_THUMBTRACK, position);
      Scroll(bar, SB_THUMBPOSITION, bar.Maximum());
      dragMs = bench::NowMs() - t0;
      Scroll(bar, SB_THUMBPOSITION, page);
    }
    dialog.DestroyWindow();
    for (HWND hwnd : host.Windows()) PostMessageA(hwnd, WM_CLOSE, 0, 0);
    host.Proc().WaitForExit(5000);
  }
  std::printf("thumb drag across the whole range with 10 windows: %d tracking messages, "
              "%.0f ms (%.3f ms a message)\n",
              dragMessages, dragMs, dragMs / dragMessages);
  return 0;
}
