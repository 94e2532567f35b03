// Which windows belong to the view, as Windows tells it, for the rule of
// core/viewwindows.h.
#pragma once
#include <windows.h>

#include "core/viewwindows.h"

// This program's windows (the main window, the bars, an open dialog) and the
// keyboard-mouse controller's, known by process and by class: their titles
// depend on the language.
bool OfThisPackage(HWND hwnd, const char* className);

// Reads what the rule needs of windows; made once for a run over many of
// them, since it looks up DwmGetWindowAttribute (Vista and later) once.
class CViewWindows {
 public:
  CViewWindows();
  core::WindowFacts Facts(HWND hwnd) const;
  // DWMWA_CLOAKED: why the system keeps the window out of sight (DWM_CLOAKED_*
  // bits), 0 where it does not or cannot say (XP has no dwmapi.dll).
  DWORD Cloaked(HWND hwnd) const;
  bool OfTheView(HWND hwnd) const { return core::OfTheView(Facts(hwnd)); }

 private:
  using Attribute = HRESULT WINAPI(HWND, DWORD, void*, DWORD);
  Attribute* m_attribute;
};
