#include "fw/display.h"

#include "fw/sysfunc.h"

namespace fw {

namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  MONITORINFO info = {};
  info.cbSize = sizeof(info);
  if (GetMonitorInfoA(monitor, &info)) {
    const RECT& r = info.rcMonitor;
    const RECT& w = info.rcWork;
    reinterpret_cast<std::vector<core::Monitor>*>(list)->push_back(
        {{r.left, r.top, r.right, r.bottom},
         (info.dwFlags & MONITORINFOF_PRIMARY) != 0,
         {w.left, w.top, w.right, w.bottom}});
  }
  return TRUE;
}

}  // namespace

std::vector<core::Monitor> Monitors() {
  std::vector<core::Monitor> monitors;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  if (monitors.empty()) {
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    monitors.push_back({{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)},
                        true,
                        {work.left, work.top, work.right, work.bottom}});
  }
  return monitors;
}

UINT DpiOf(HWND hwnd) {
  using ForWindow = UINT WINAPI(HWND);
  using ForMonitor = HRESULT WINAPI(HMONITOR, int, UINT*, UINT*);
  // Looked up at each call (a window's DPI is asked seldom), so that what
  // stands in for them is found too.
  if (ForWindow* const forWindow = SystemFunction<ForWindow>("user32.dll", "GetDpiForWindow")) {
    const UINT dpi = forWindow(hwnd);
    if (dpi) return dpi;
  }
  UINT x = 0, y = 0;
  ForMonitor* const forMonitor = SystemFunction<ForMonitor>("shcore.dll", "GetDpiForMonitor");
  if (forMonitor && forMonitor(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), 0, &x, &y) == S_OK &&
      x)
    return x;
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

}  // namespace fw
