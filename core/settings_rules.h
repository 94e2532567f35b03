// Rules for turning stored setting values into the values the program uses.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace core {

// A stored on/off option: anything but 0 is on.
inline int NormaliseFlag(int stored) { return stored != 0 ? 1 : 0; }

// Minutes between two wallpaper changes: at least one.
inline int ClampWallPaperInterval(int minutes) { return minutes < 1 ? 1 : minutes; }

// The wallpaper timer period in milliseconds for an interval in minutes.
// Never 0 (a zero-period timer would spin) and never beyond the largest
// period SetTimer accepts, so that a huge stored interval cannot wrap around
// to a short one.
std::uint32_t WallPaperTimerPeriod(int minutes);
constexpr std::uint32_t kMaxTimerPeriod = 0x7FFFFFFF;  // USER_TIMER_MAXIMUM

// An integer setting from the raw bytes of a registry value of any type: up
// to four bytes are its little-endian 32 bits (shorter ones zero-extended);
// a longer value is not an integer and yields the default.
int IntFromValueBytes(const unsigned char* data, std::size_t size, int fallback);

// A string setting from the raw bytes of a REG_SZ value: the text up to the
// first NUL, or all bytes when the value was stored without one.
std::string StringFromValueBytes(const unsigned char* data, std::size_t size);

}  // namespace core
