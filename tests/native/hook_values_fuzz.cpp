// libFuzzer target: arbitrary bytes as the data of the hook library's
// registry values.  Built with clang -fsanitize=fuzzer,address,undefined; any
// read outside the input or the entry, or a broken invariant, stops the run.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "core/hook_values.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using core::HotKeyEntry;
  HotKeyEntry entry;
  std::memset(entry.bytes, 0xA5, sizeof(entry.bytes));
  core::DecodeHotKeyValue(data, size, entry);
  // Terminated, the value's own bytes outside the key column, zeros after
  // the text, and nothing at all from a value too long to read.
  const std::size_t length = std::strlen(reinterpret_cast<const char*>(entry.bytes));
  bool holds = size <= HotKeyEntry::kSize || length == 0;
  for (std::size_t i = 0; i < HotKeyEntry::kSize; ++i) {
    if (i < length) holds = holds && (i == HotKeyEntry::kKeyColumn || entry.bytes[i] == data[i]);
    if (i >= length) holds = holds && entry.bytes[i] == 0;
  }
  // A key option or icon view from a value that does not fit its buffer is off.
  if (size > 4) holds = holds && !core::KeyOptionFromValue(data, size);
  if (size > 32) holds = holds && core::IconViewFromValue(data, size) == core::IconView::kUnchanged;
  // The same bytes as a UTF-16 text: nothing written past the buffer, and at
  // least a byte for every unit, at most two.
  char16_t units[64];
  const std::size_t count = size / 2 < 64 ? size / 2 : 64;
  std::memcpy(units, data, count * 2);
  unsigned char text[HotKeyEntry::kSize];
  const std::size_t needed = core::HotKeyBytesFromUtf16(units, count, text, sizeof(text));
  holds = holds && needed >= count && needed <= 2 * count;
  if (!holds) std::abort();
  return 0;
}
