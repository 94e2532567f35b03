#include "core/viewwindows.h"

#include <algorithm>

namespace core {

bool MovedByScroll(const WindowFacts& w) { return w.titled && !w.minimised; }

bool OfTheView(const WindowFacts& w) {
  return MovedByScroll(w) && w.visible && !w.shellDesktop && !w.cloaked && !w.ours;
}

bool IsShellDesktopClass(std::string_view className) {
  auto same = [&](std::string_view name) {
    return className.size() == name.size() &&
           std::equal(name.begin(), name.end(), className.begin(), [](char a, char b) {
             auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
             return lower(a) == lower(b);
           });
  };
  return same("Progman") || same("WorkerW");
}

}  // namespace core
