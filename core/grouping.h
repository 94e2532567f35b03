// Numbers as the resource display shows them: right-aligned, with commas
// between groups of three digits.
#pragma once
#include <cstdint>
#include <string>

namespace core {

// The width of a grouped number: twelve characters of digits and sign plus
// three commas.  Longer numbers widen the text and keep their commas.
inline constexpr std::size_t kGroupedWidth = 15;

// The value in decimal, a comma before every third digit from the right,
// blanks in front up to kGroupedWidth: 0 gives 14 blanks and "0", 1024 gives
// 10 blanks and "1,024".  A minus sign stands directly before the first digit.
std::string GroupDigits(std::int64_t value);

// The same for a count that Windows gives unsigned (bytes of a drive or of
// memory), exact up to the largest 64-bit value.
std::string GroupByteCount(std::uint64_t value);

}  // namespace core
