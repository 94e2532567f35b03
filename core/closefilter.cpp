#include "core/closefilter.h"

namespace core {

bool ShouldCloseWindow(long selector, std::string_view className, std::string_view title,
                       bool visible) {
  constexpr auto npos = std::string_view::npos;
  switch (selector) {
    case CLOSE_FOLDERS:
      return className.find("CabinetWClass") != npos;
    case CLOSE_BROWSERS:
      return className.find("IEFrame") != npos;
    case CLOSE_APPLICATIONS:
      // Untitled windows are the taskbar, our edge bars and the like; the
      // main window's caption and the shell's desktop are spared by name.
      return visible && !title.empty() && title.find("Qovデスクトップ") == npos &&
             title.find("Program Manager") == npos;
    default:
      return false;
  }
}

}  // namespace core
