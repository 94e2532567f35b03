#include "core/viewkeys.h"

#include <algorithm>

namespace core {

const char* const kViewKeyNames[kViewKeyCount] = {
    "View left", "View right", "View up", "View down", "View home", "Overview", "Pin"};

HotKey DefaultViewKey(int command) {
  static const unsigned kKeys[kViewKeyCount] = {0x25, 0x27, 0x26, 0x28, 0x24, 0x20, 'P'};
  if (command < 0 || command >= kViewKeyCount) return {0, 0};
  return {kModWin | kModControl | kModAlt, kKeys[command]};
}

HotKey HotKeyFromValue(std::uint32_t value) {
  const unsigned modifiers = value >> 16, key = value & 0xFFFF;
  if ((modifiers & ~(kModAlt | kModControl | kModShift | kModWin)) != 0 || key > 0xFE || key == 0)
    return {0, 0};
  return {modifiers, key};
}

std::uint32_t ValueFromHotKey(HotKey key) {
  return key.key == 0 ? 0 : (static_cast<std::uint32_t>(key.modifiers) << 16) | key.key;
}

namespace {

// How many whole pages from `origin` the coordinate `at` lies (floor).
int PagesFrom(int at, int origin, int page) {
  const int d = at - origin;
  return d >= 0 ? d / page : -((-d + page - 1) / page);
}

// The nearest start of an extent of `length` that lies within [low, high),
// or `low` when it is longer.
int Nearest(int start, int length, int low, int high) {
  return std::max(low, std::min(start, high - length));
}

}  // namespace

Point GatherPlace(const Rect& w, const Rect& screen, const Rect& space) {
  const bool meets =
      w.left < screen.right && screen.left < w.right && w.top < screen.bottom && screen.top < w.bottom;
  if (meets) return {w.left, w.top};
  const int pageWidth = std::max(1, screen.right - screen.left);
  const int pageHeight = std::max(1, screen.bottom - screen.top);
  const bool inSpace = space.left <= w.left && w.left < space.right && space.top <= w.top &&
                       w.top < space.bottom;
  if (inSpace)
    return {w.left - PagesFrom(w.left, screen.left, pageWidth) * pageWidth,
            w.top - PagesFrom(w.top, screen.top, pageHeight) * pageHeight};
  return {Nearest(w.left, w.right - w.left, screen.left, screen.right),
          Nearest(w.top, w.bottom - w.top, screen.top, screen.bottom)};
}

std::vector<std::string> SplitProgramNames(std::string_view text) {
  std::vector<std::string> names;
  while (!text.empty()) {
    const std::size_t bar = std::min(text.find('|'), text.size());
    std::string_view name = text.substr(0, bar);
    while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    if (!name.empty()) names.emplace_back(name);
    text.remove_prefix(std::min(bar + 1, text.size()));
  }
  return names;
}

bool IsProgramIn(std::string_view imagePath, const std::vector<std::string>& names) {
  const std::size_t slash = imagePath.find_last_of("\\/:");
  const std::string_view file = slash == std::string_view::npos ? imagePath : imagePath.substr(slash + 1);
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  for (const std::string& name : names) {
    if (name.size() != file.size() || file.empty()) continue;
    if (std::equal(name.begin(), name.end(), file.begin(),
                   [&](char a, char b) { return lower(a) == lower(b); }))
      return true;
  }
  return false;
}

}  // namespace core
