// The display as Windows reports it: the monitors and their DPI.
#pragma once
#include <windows.h>

#include <vector>

#include "core/display.h"

namespace fw {

// WM_DPICHANGED, sent from Windows 8.1 on, which the headers for older
// Windows do not name.
constexpr UINT kWmDpiChanged = 0x02E0;

// Every monitor, as EnumDisplayMonitors lists them; the primary screen alone
// where it lists none.
std::vector<core::Monitor> Monitors();

// The DPI of the monitor a window stands on, through the calls the running
// Windows has: GetDpiForWindow (10), GetDpiForMonitor (8.1), else the
// screen's (Vista and 7, the system's; XP, the one DPI there is).
UINT DpiOf(HWND hwnd);

}  // namespace fw
