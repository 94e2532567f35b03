// Cost of the page indicator on a page scroll with 50 windows of another
// program: a key's WM_HOTKEY pages the view, and the time runs until the
// program is idle again with the indicator painted; the same with the
// indicator off, taken in turns.
//
//   indicator_bench.exe [ROUNDS]   (QOV_HELPER_DIR names qov_helper.exe's folder)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/QovDesktopApp.h"
#include "app/QovDesktopDialog.h"
#include "support/testsupport.h"

#include "timing.h"

namespace {

// Runs every message the thread has, the indicator's paint among them.
void UntilIdle() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// One key's page, and back, in ms per page.
double KeyPage(CQovDesktopDialog& dialog) {
  double total = 0;
  for (int key : {core::kViewKeyRight, core::kViewKeyLeft}) {
    const double t0 = bench::NowMs();
    SendMessageA(dialog.m_hWnd, WM_HOTKEY, CViewKeys::IdOf(key), 0);
    UntilIdle();
    total += bench::NowMs() - t0;
    // The key is seen up by the program's next look at held keys.
    qovtest::Pump(40);
  }
  return total / 2;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 15;
  CQovDesktopApp app;
  app.Attach(GetModuleHandleA(nullptr));
  app.SetRegistryKey("QovSoft");
  qovtest::AppKeyGuard key(app.AppName());
  std::vector<std::string> layouts;
  for (int i = 0; i < 50; ++i)
    layouts.push_back("|Bench " + std::to_string(i) + "|" + std::to_string(20 + (i * 7) % 600) +
                      "," + std::to_string(20 + (i * 5) % 400) + ",200,150|");
  qovtest::WindowHost host;
  if (!host.Start(layouts)) return 1;
  CQovDesktopDialog dialog;
  if (!dialog.Create()) return 1;
  std::vector<double> shown, hidden;
  for (int i = 0; i < rounds; ++i) {
    dialog.m_bPageIndicator = 1;
    shown.push_back(KeyPage(dialog));
    dialog.m_indicator.Hide();
    dialog.m_bPageIndicator = 0;
    hidden.push_back(KeyPage(dialog));
  }
  // The indicator alone, shown from hidden and painted, as after each key.
  std::vector<double> alone;
  dialog.m_bPageIndicator = 1;
  for (int i = 0; i < rounds; ++i) {
    dialog.m_indicator.Hide();
    qovtest::Pump(20);
    const double t0 = bench::NowMs();
    dialog.ShowPage(std::wstring());
    UntilIdle();
    alone.push_back(bench::NowMs() - t0);
  }
  const double s = bench::Median(shown), h = bench::Median(hidden);
  std::printf("a key's page scroll with 50 windows until idle (median of %d, in turns):\n"
              "  indicator on %.3f ms   off %.3f ms   difference %.3f ms   ratio %.2f\n"
              "  the indicator alone, shown and painted: %.3f ms\n",
              rounds, s, h, s - h, s / h, bench::Median(alone));
  dialog.DestroyWindow();
  for (HWND hwnd : host.Windows()) PostMessageA(hwnd, WM_CLOSE, 0, 0);
  return 0;
}
