#include "core/settings_sheet.h"

#include <climits>

#include "core/vscreen.h"

namespace core {

int SpinStep(int value, int proposedDelta) {
  const long long next = static_cast<long long>(value) - proposedDelta;
  if (next < 1) return 1;
  return next > INT_MAX ? INT_MAX : static_cast<int>(next);
}

int ClampScreenCount(int count, int pageSize) {
  if (count < 1) return 1;
  if (pageSize < 1) return count;
  const int largest = kMaxAxisExtent / pageSize + 1;
  return count > largest ? largest : count;
}

}  // namespace core
