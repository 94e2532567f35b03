// The library's settings, read from the registry where they are used.
// Every read opens its key for reading, queries into a fixed buffer and
// closes the key again; nothing is held between reads.
#pragma once
#include "core/hook_values.h"
#include "hooklib/state.h"

namespace qov32 {

// Fills all entries from HKCU\Software\QovSoft\QovMouse\Hot key.  A value
// that is missing or cannot be read leaves its entry empty (no key).
void ReadHotKeyTable(core::HotKeyEntry (&table)[kCommandCount]);
// Fills all flags from HKCU\Software\QovSoft\QovMouse\Key option; missing or
// unreadable values are off.
void ReadKeyOptions(BOOL (&flags)[kKeyOptionCount]);
// HKCU\Software\QovSoft\QovDesktop\Setting "Desktop icon".
core::IconView ReadDesktopIconView();

}  // namespace qov32
