// Which top-level windows the close commands send WM_CLOSE to.
#pragma once
#include <string_view>

namespace core {

// What to close, passed through EnumWindows as its lParam.
enum CloseSelector : long {
  CLOSE_FOLDERS = 9001,       // Explorer folder windows
  CLOSE_BROWSERS = 9002,      // Internet Explorer windows
  CLOSE_APPLICATIONS = 9011,  // every visible titled window but this package's and the desktop
};

// The window class of the keyboard-mouse controller's main window, by which
// the close commands know it whatever its title and file name.
inline constexpr char kControllerWindowClass[] = "QovMouse";

// What a close command knows of a top-level window.
struct CloseCandidate {
  std::string_view className;
  std::string_view title;  // ANSI text; only whether there is one and the desktop's
  bool visible = false;
  bool ours = false;     // a window of this package's programs (by handle, class or process)
  bool cloaked = false;  // hidden by the shell (Start, Search and the like on Windows 10 and later)
};

// Whether a close command with `selector` closes this window.  A class
// "contains" a name anywhere in it, case-sensitive.  Folder and browser
// windows are closed whether visible or not; windows of this package and
// windows the shell keeps cloaked never are; an unknown selector closes nothing.
bool ShouldCloseWindow(long selector, const CloseCandidate& window);

}  // namespace core
