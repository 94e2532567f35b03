#include "core/hook_values.h"

#include <cstring>

namespace core {

namespace {

// Virtual-key codes the decoding produces.
constexpr unsigned char kVkNumpad0 = 0x60;
constexpr unsigned char kVkLeft = 0x25, kVkUp = 0x26, kVkRight = 0x27, kVkDown = 0x28;

// The Shift-JIS arrows are 0x81 followed by 0xA8 (→), 0xA9 (←), 0xAA (↑), 0xAB (↓).
constexpr unsigned char kSjisLead = 0x81;

void DecodeInPlace(HotKeyEntry& entry) {
  unsigned char& key = entry.bytes[HotKeyEntry::kKeyColumn];
  const unsigned char next = entry.bytes[HotKeyEntry::kKeypadColumn];
  if (next == 'N' && key >= '0' && key <= '9') key = static_cast<unsigned char>(kVkNumpad0 + (key - '0'));
  if (key == kSjisLead) {
    switch (next) {
      case 0xA8: key = kVkRight; break;
      case 0xA9: key = kVkLeft; break;
      case 0xAA: key = kVkUp; break;
      case 0xAB: key = kVkDown; break;
      default: break;
    }
  }
}

}  // namespace

void DecodeHotKeyValue(const unsigned char* data, std::size_t size, HotKeyEntry& entry) {
  std::memset(entry.bytes, 0, sizeof(entry.bytes));
  if (data == nullptr || size > HotKeyEntry::kSize) return;
  std::size_t length = 0;
  while (length < size && length < HotKeyEntry::kSize - 1 && data[length] != 0) ++length;
  std::memcpy(entry.bytes, data, length);
  DecodeInPlace(entry);
}

std::size_t HotKeyBytesFromUtf16(const char16_t* text, std::size_t units, unsigned char* out,
                                 std::size_t capacity) {
  std::size_t count = 0;
  auto put = [&](unsigned char byte) {
    if (count < capacity) out[count] = byte;
    ++count;
  };
  for (std::size_t i = 0; text != nullptr && i < units; ++i) {
    const char16_t c = text[i];
    if (c < 0x80) {
      put(static_cast<unsigned char>(c));
    } else if (c >= 0x2190 && c <= 0x2193) {  // ← ↑ → ↓
      static const unsigned char kArrows[] = {0xA9, 0xAA, 0xA8, 0xAB};
      put(kSjisLead);
      put(kArrows[c - 0x2190]);
    } else if (c >= 0xFF61 && c <= 0xFF9F) {
      put(static_cast<unsigned char>(c - 0xFF61 + 0xA1));
    } else {
      put(kSjisLead);
      put(0x48);
    }
  }
  return count;
}

bool KeyOptionFromValue(const unsigned char* data, std::size_t size) {
  return data != nullptr && size >= 1 && size <= 4 && data[0] != 0;
}

IconView IconViewFromValue(const unsigned char* data, std::size_t size) {
  if (data == nullptr || size < 1 || size > 32) return IconView::kUnchanged;
  if (data[0] == 'L') return IconView::kLarge;
  if (data[0] == 'S') return IconView::kSmall;
  return IconView::kUnchanged;
}

bool StyleForIconView(std::uint32_t style, IconView view, std::uint32_t& newStyle) {
  if (view == IconView::kUnchanged) return false;
  const std::uint32_t bits = view == IconView::kLarge ? kLargeIconView : kSmallIconView;
  if ((style & kViewMask) == bits) return false;
  newStyle = (style & ~kViewMask) | bits;
  return true;
}

}  // namespace core
