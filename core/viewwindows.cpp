#include "core/viewwindows.h"

#include "core/asciicase.h"

namespace core {

bool MovedByScroll(const WindowFacts& w) { return w.titled && !w.minimised; }

bool OfTheView(const WindowFacts& w) {
  return MovedByScroll(w) && w.visible && !w.shellDesktop && !w.cloaked && !w.ours;
}

bool IsShellDesktopClass(std::string_view className) {
  return SameAsciiCase(className, std::string_view("Progman")) ||
         SameAsciiCase(className, std::string_view("WorkerW"));
}

}  // namespace core
