#include "core/viewkeys.h"

#include <algorithm>
#include <iterator>

#include "core/asciicase.h"

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

bool SameHotKey(HotKey a, HotKey b) {
  return a.key != 0 && a.key == b.key && a.modifiers == b.modifiers;
}

bool FirstWithKey(const HotKey (&keys)[kViewKeyCount], int command) {
  if (command < 0 || command >= kViewKeyCount) return false;
  for (int c = 0; c < command; ++c)
    if (SameHotKey(keys[c], keys[command])) return false;
  return true;
}

bool KeyGivenTwice(const HotKey (&keys)[kViewKeyCount], int command) {
  if (command < 0 || command >= kViewKeyCount) return false;
  for (int c = 0; c < kViewKeyCount; ++c)
    if (c != command && SameHotKey(keys[c], keys[command])) return true;
  return false;
}

bool HeldKeys::Take(int command, bool down) {
  if (command < 0 || command >= kViewKeyCount) return false;
  if (m_held[command] && down) return false;
  m_held[command] = down;
  return true;
}

void HeldKeys::Seen(int command, bool down) {
  if (command >= 0 && command < kViewKeyCount && !down) m_held[command] = false;
}

bool HeldKeys::AnyHeld() const {
  return std::find(std::begin(m_held), std::end(m_held), true) != std::end(m_held);
}

void HeldKeys::Clear() { std::fill(std::begin(m_held), std::end(m_held), false); }

namespace {

bool Blank(char16_t c) { return c == u' '; }

}  // namespace

std::vector<std::u16string> SplitProgramNames(std::u16string_view text) {
  std::vector<std::u16string> names;
  while (!text.empty()) {
    const std::size_t bar = std::min(text.find(u'|'), text.size());
    std::u16string_view name = text.substr(0, bar);
    while (!name.empty() && Blank(name.front())) name.remove_prefix(1);
    while (!name.empty() && Blank(name.back())) name.remove_suffix(1);
    if (!name.empty()) names.emplace_back(name);
    text.remove_prefix(std::min(bar + 1, text.size()));
  }
  return names;
}

bool IsProgramIn(std::u16string_view imagePath, const std::vector<std::u16string>& names) {
  const std::size_t slash = imagePath.find_last_of(u"\\/:");
  const std::u16string_view file =
      slash == std::u16string_view::npos ? imagePath : imagePath.substr(slash + 1);
  for (const std::u16string& name : names)
    if (!file.empty() && SameAsciiCase(std::u16string_view(name), file)) return true;
  return false;
}

}  // namespace core

namespace core {

OverviewScale ScaleOverview(int clientWidth, int clientHeight, int margin, int pageWidth,
                            int pageHeight, int cols, int rows) {
  OverviewScale s = {0, 0, 1, 1, std::max(1, pageWidth), std::max(1, pageHeight),
                     std::max(1, cols), std::max(1, rows)};
  const long long width = 1LL * s.pageWidth * s.cols, height = 1LL * s.pageHeight * s.rows;
  const int roomX = std::max(1, clientWidth - 2 * margin);
  const int roomY = std::max(1, clientHeight - 2 * margin);
  // The smaller of the two ratios, as a fraction that never overflows.
  if (roomX * height <= roomY * width) {
    s.numerator = roomX;
    s.denominator = static_cast<int>(std::min<long long>(width, 1LL << 30));
  } else {
    s.numerator = roomY;
    s.denominator = static_cast<int>(std::min<long long>(height, 1LL << 30));
  }
  s.left = (clientWidth - static_cast<int>(width * s.numerator / s.denominator)) / 2;
  s.top = (clientHeight - static_cast<int>(height * s.numerator / s.denominator)) / 2;
  return s;
}

Rect ToOverview(const OverviewScale& s, const Rect& r) {
  auto x = [&](int v) { return s.left + static_cast<int>(1LL * v * s.numerator / s.denominator); };
  auto y = [&](int v) { return s.top + static_cast<int>(1LL * v * s.numerator / s.denominator); };
  return {x(r.left), y(r.top), x(r.right), y(r.bottom)};
}

Point FromOverview(const OverviewScale& s, Point p) {
  return {static_cast<int>(1LL * (p.x - s.left) * s.denominator / s.numerator),
          static_cast<int>(1LL * (p.y - s.top) * s.denominator / s.numerator)};
}

int PageAt(const OverviewScale& s, Point client) {
  if (client.x < s.left || client.y < s.top) return -1;
  const Point at = FromOverview(s, client);
  const int col = at.x / s.pageWidth, row = at.y / s.pageHeight;
  return col < s.cols && row < s.rows ? col + row * s.cols : -1;
}

}  // namespace core

namespace core {

namespace {
constexpr unsigned kShiftFlag = 1, kControlFlag = 2, kAltFlag = 4, kExtendedFlag = 8;
}  // namespace

HotKey HotKeyFromControl(unsigned word, bool win) {
  const unsigned key = word & 0xFF, flags = (word >> 8) & 0xFF;
  if (key == 0) return {0, 0};
  return {((flags & kShiftFlag) ? kModShift : 0) | ((flags & kControlFlag) ? kModControl : 0) |
              ((flags & kAltFlag) ? kModAlt : 0) | (win ? kModWin : 0),
          key};
}

unsigned ControlFromHotKey(HotKey key) {
  if (key.key == 0) return 0;
  const bool extended = (key.key >= 0x21 && key.key <= 0x28) || key.key == 0x2D || key.key == 0x2E;
  const unsigned flags = ((key.modifiers & kModShift) ? kShiftFlag : 0) |
                         ((key.modifiers & kModControl) ? kControlFlag : 0) |
                         ((key.modifiers & kModAlt) ? kAltFlag : 0) | (extended ? kExtendedFlag : 0);
  return (flags << 8) | (key.key & 0xFF);
}

}  // namespace core
