// libFuzzer target: arbitrary bytes as the data of the hook library's
// registry values.  Built with clang -fsanitize=fuzzer,address,undefined; any
// read outside the input or the entry, or a broken invariant, stops the run.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "core/hook_values.h"

namespace {

void Check(bool holds) {
  if (!holds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using core::HotKeyEntry;
  HotKeyEntry entry;
  std::memset(entry.bytes, 0xA5, sizeof(entry.bytes));
  core::DecodeHotKeyValue(data, size, entry);
  // Always terminated, never longer than 31 characters, nothing after the
  // text but zeros, and nothing at all from a value too long to read.
  Check(entry.bytes[HotKeyEntry::kSize - 1] == 0);
  std::size_t length = std::strlen(reinterpret_cast<const char*>(entry.bytes));
  for (std::size_t i = length; i < HotKeyEntry::kSize; ++i) Check(entry.bytes[i] == 0);
  if (size > HotKeyEntry::kSize) Check(length == 0);
  // Outside the key column the entry is the value's text.
  for (std::size_t i = 0; i < length; ++i)
    if (i != HotKeyEntry::kKeyColumn) Check(entry.bytes[i] == data[i]);
  // The key column changes only by the two decoding rules.
  if (length > HotKeyEntry::kKeyColumn) {
    const unsigned char raw = data[HotKeyEntry::kKeyColumn];
    const unsigned char key = entry.Key();
    const unsigned char next = length > HotKeyEntry::kKeypadColumn ? data[HotKeyEntry::kKeypadColumn] : 0;
    if (key != raw) {
      const bool keypad = next == 'N' && raw >= '0' && raw <= '9' && key == 0x60 + (raw - '0');
      const bool arrow = raw == 0x81 && next >= 0xA8 && next <= 0xAB && key >= 0x25 && key <= 0x28;
      Check(keypad || arrow);
    }
  }

  // A key option: nothing from a value that does not fit its 4 bytes, and
  // within them only the low-order byte counts, zero being off.
  const bool option = core::KeyOptionFromValue(data, size);
  if (size == 0 || size > 4) Check(!option);
  if (size >= 1 && size <= 4) {
    std::uint8_t changed[4];
    std::memcpy(changed, data, size);
    for (std::size_t i = 1; i < size; ++i) changed[i] = static_cast<std::uint8_t>(~changed[i]);
    Check(core::KeyOptionFromValue(changed, size) == option);
    changed[0] = 0;
    Check(!core::KeyOptionFromValue(changed, size));
  }

  const core::IconView view = core::IconViewFromValue(data, size);
  std::uint32_t style = 0;
  if (size >= 4) std::memcpy(&style, data, 4);
  std::uint32_t result = 0;
  if (core::StyleForIconView(style, view, result)) {
    Check(view != core::IconView::kUnchanged);
    Check((result & ~core::kViewMask) == (style & ~core::kViewMask));
    Check((result & core::kViewMask) != (style & core::kViewMask));
    Check((result & core::kViewMask) ==
          (view == core::IconView::kLarge ? core::kLargeIconView : core::kSmallIconView));
  }
  return 0;
}
