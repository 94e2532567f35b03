// Registry values of the hook library, decoded from the raw bytes a query
// returned.  The library ignores the type a query reports, so every rule here
// takes any bytes of any length and never reads past them.
#pragma once
#include <cstddef>
#include <cstdint>

namespace core {

// One "Hot key" value: a fixed-column text of at most 31 characters, kept
// NUL-terminated in 32 bytes and decoded in place (the key column then holds
// a virtual-key code).
struct HotKeyEntry {
  static constexpr std::size_t kSize = 32;
  static constexpr std::size_t kCtrlColumn = 0;    // 'C' when Ctrl is part of it
  static constexpr std::size_t kAltColumn = 5;     // 'A' when Alt is part of it
  static constexpr std::size_t kKeyColumn = 9;     // the key; 0 means no key
  static constexpr std::size_t kKeypadColumn = 10; // 'N' after a keypad digit

  unsigned char bytes[kSize];

  unsigned char Key() const { return bytes[kKeyColumn]; }
  bool WantsCtrl() const { return bytes[kCtrlColumn] == 'C'; }
  bool WantsAlt() const { return bytes[kAltColumn] == 'A'; }
};

// The entry for the bytes of a value as a query into a 32-byte buffer gave
// them: the text up to its NUL, at most 31 characters, then decoded (keypad
// digits and the Shift-JIS arrows become their key codes).  More than 32
// bytes cannot be read into the buffer: no key.
void DecodeHotKeyValue(const unsigned char* data, std::size_t size, HotKeyEntry& entry);

// The bytes of a "Hot key" text read as UTF-16 (`units` code units, its NUL
// included when stored), in the Shift-JIS form the decoding reads, whatever
// the ANSI code page: ASCII as it is, the arrows ← → ↑ ↓ as their Shift-JIS
// pairs, half-width katakana as their one byte, any other character as the
// two bytes of a full-width "？" so that later columns stay where Shift-JIS
// puts them.  At most `capacity` bytes are written; the count that the
// whole text needs is returned.
std::size_t HotKeyBytesFromUtf16(const char16_t* text, std::size_t units, unsigned char* out,
                                 std::size_t capacity);

// A "Key option" value as a query into a 4-byte buffer gave it: on when its
// low-order byte is non-zero.  A longer value cannot be read: off.
bool KeyOptionFromValue(const unsigned char* data, std::size_t size);

// What a "Desktop icon" value asks of the desktop icon view: its first byte
// 'L' large icons, 'S' small icons, anything else (or a value longer than the
// 32-byte buffer) no change.
enum class IconView { kUnchanged, kLarge, kSmall };
IconView IconViewFromValue(const unsigned char* data, std::size_t size);

// The list view's view bits (LVS_TYPEMASK) and the two views the hook sets.
constexpr std::uint32_t kViewMask = 0x3;
constexpr std::uint32_t kLargeIconView = 0x0;  // LVS_ICON
constexpr std::uint32_t kSmallIconView = 0x2;  // LVS_SMALLICON

// The window style that shows `view`, with every other bit as in `style`.
// False when nothing has to be written: no change asked for, or the view bits
// already match.
bool StyleForIconView(std::uint32_t style, IconView view, std::uint32_t& newStyle);

}  // namespace core
