// Which top-level windows the close commands send WM_CLOSE to.
#pragma once
#include <string_view>

namespace core {

// What to close, passed through EnumWindows as its lParam.
enum CloseSelector : long {
  CLOSE_FOLDERS = 9001,       // Explorer folder windows
  CLOSE_BROWSERS = 9002,      // Internet Explorer windows
  CLOSE_APPLICATIONS = 9011,  // every visible titled window but our own and the desktop
};

// Whether a close command with `selector` closes a window of this class,
// text and visibility.  Texts are compared byte for byte, case-sensitive, as
// ANSI (code page 932) texts: a class or title "contains" a name anywhere in it.
// Folder and browser windows are closed whether visible or not; an unknown
// selector closes nothing.
bool ShouldCloseWindow(long selector, std::string_view className, std::string_view title,
                       bool visible);

}  // namespace core
