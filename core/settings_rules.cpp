#include "core/settings_rules.h"

#include <cstring>

namespace core {

std::uint32_t WallPaperTimerPeriod(int minutes) {
  std::int64_t ms = static_cast<std::int64_t>(ClampWallPaperInterval(minutes)) * 60000;
  return ms > kMaxTimerPeriod ? kMaxTimerPeriod : static_cast<std::uint32_t>(ms);
}

int IntFromValueBytes(const unsigned char* data, std::size_t size, int fallback) {
  if (size > 4 || (size > 0 && data == nullptr)) return fallback;
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < size; ++i) value |= static_cast<std::uint32_t>(data[i]) << (8 * i);
  return static_cast<int>(value);
}

std::string StringFromValueBytes(const unsigned char* data, std::size_t size) {
  if (data == nullptr) return std::string();
  const void* nul = std::memchr(data, 0, size);
  std::size_t length = nul ? static_cast<std::size_t>(static_cast<const unsigned char*>(nul) - data) : size;
  return std::string(reinterpret_cast<const char*>(data), length);
}

}  // namespace core
