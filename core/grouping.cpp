#include "core/grouping.h"

#include <algorithm>

namespace core {
namespace {

std::string Group(bool negative, std::uint64_t magnitude) {
  // Built from the last digit backwards, then turned round.
  std::string text;
  text.reserve(kGroupedWidth + 10);
  int digits = 0;
  do {
    if (digits > 0 && digits % 3 == 0) text += ',';
    text += static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
    ++digits;
  } while (magnitude != 0);
  if (negative) text += '-';
  if (text.size() < kGroupedWidth) text.append(kGroupedWidth - text.size(), ' ');
  std::reverse(text.begin(), text.end());
  return text;
}

}  // namespace

std::string GroupDigits(std::int64_t value) {
  // Negated in unsigned arithmetic: the most negative value has no positive
  // counterpart of its own type.
  const bool negative = value < 0;
  const std::uint64_t magnitude =
      negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  return Group(negative, magnitude);
}

std::string GroupByteCount(std::uint64_t value) { return Group(false, value); }

}  // namespace core
