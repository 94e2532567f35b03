#include "vscreen/ViewWindows.h"

#include "core/closefilter.h"
#include "fw/sysfunc.h"

bool OfThisPackage(HWND hwnd, const char* className) {
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  return process == GetCurrentProcessId() ||
         lstrcmpiA(className, core::kControllerWindowClass) == 0;
}

CViewWindows::CViewWindows()
    : m_attribute(fw::SystemFunction<Attribute>("dwmapi.dll", "DwmGetWindowAttribute")) {}

core::WindowFacts CViewWindows::Facts(HWND hwnd) const {
  core::WindowFacts facts;
  if (!IsWindow(hwnd)) return facts;
  char className[256] = "";
  GetClassNameA(hwnd, className, sizeof(className));
  facts.titled = GetWindowTextLengthA(hwnd) > 0;
  facts.minimised = IsIconic(hwnd) != FALSE;
  facts.visible = IsWindowVisible(hwnd) != FALSE;
  // The system's own desktop window is no program's either.  It is what the
  // foreground is while no window is active under Wine, where it is titled
  // and screen-sized, and would pass for a program filling the screen.
  facts.shellDesktop = core::IsShellDesktopClass(className) || hwnd == GetDesktopWindow();
  facts.ours = OfThisPackage(hwnd, className);
  facts.cloaked = Cloaked(hwnd) != 0;
  return facts;
}

DWORD CViewWindows::Cloaked(HWND hwnd) const {
  DWORD cloaked = 0;
  const DWORD kCloaked = 14;  // DWMWA_CLOAKED, Windows 8 and later
  return m_attribute && SUCCEEDED(m_attribute(hwnd, kCloaked, &cloaked, sizeof(cloaked)))
             ? cloaked
             : 0;
}
