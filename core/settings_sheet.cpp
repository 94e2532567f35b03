#include "core/settings_sheet.h"

#include <climits>

#include "core/vscreen.h"

namespace core {

int SpinStep(int value, int proposedDelta) {
  const long long next = static_cast<long long>(value) - proposedDelta;
  if (next < 1) return 1;
  return next > INT_MAX ? INT_MAX : static_cast<int>(next);
}

int EditInteger(const std::string& text) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && text[i] == ' ') ++i;
  bool negative = false;
  if (i < n && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  const std::size_t digits = i;
  long long value = 0;
  for (; i < n && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) return 0;
  }
  if (i == digits) return 0;
  while (i < n && text[i] == ' ') ++i;
  if (i != n) return 0;
  if (negative) value = -value;
  return value < INT_MIN || value > INT_MAX ? 0 : static_cast<int>(value);
}

int ClampScreenCount(int count, int pageSize) {
  if (count < 1) return 1;
  if (pageSize < 1) return count;
  const int largest = kMaxAxisExtent / pageSize + 1;
  return count > largest ? largest : count;
}

int ClampEdgePush(int milliseconds) {
  if (milliseconds <= 0) return 0;
  return milliseconds < 200 ? 200 : milliseconds > 5000 ? 5000 : milliseconds;
}

}  // namespace core
