#include "core/closefilter.h"

namespace core {

bool ShouldCloseWindow(long selector, const CloseCandidate& window) {
  constexpr auto npos = std::string_view::npos;
  if (window.ours || window.cloaked) return false;
  switch (selector) {
    case CLOSE_FOLDERS:
      return window.className.find("CabinetWClass") != npos;
    case CLOSE_BROWSERS:
      return window.className.find("IEFrame") != npos;
    case CLOSE_APPLICATIONS:
      // Untitled windows are the taskbar and the like; the shell's desktop
      // has the same English title on every system.
      return window.visible && !window.title.empty() &&
             window.title.find("Program Manager") == npos;
    default:
      return false;
  }
}

}  // namespace core
