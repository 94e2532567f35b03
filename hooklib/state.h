// The library's data.  Every process that maps QOV32.dll has its own copy of
// all of it: the hook handles are set only in the process that installed the
// hooks, and each hooked process keeps its own copy of the settings
// (hooklib/settings.h).
// Everything is plain data, zero (or constant) at load: nothing to construct.
#pragma once
#include <windows.h>

#include <cstdint>

#include "core/hook_values.h"
#include "core/key_commands.h"

namespace qov32 {

// Keyboard layouts remembered with and without AltGr: one or two are in
// use on most desktops.
constexpr int kLayoutSlots = 4;

// The state block, in a data section of its own named ".shared".  The section
// is ordinary per-process data (not marked shared): a handle of one process
// means nothing in another.
struct StateBlock {
  HINSTANCE module;    // this library in this process, set at process attach
  HHOOK messageHook;   // keyboard command hook, NULL while not installed
  HHOOK desktopHook;   // desktop hook, NULL while not installed
  HHOOK mouseHook;     // mouse position hook, NULL while not installed
  std::int32_t stepCounter;  // auto-repeat counter of the keyboard moves
  // Keyboard layouts already asked whether they have AltGr, kept by the
  // answer: a layout never changes, and asking costs a few hundred calls.
  // One slot holds one handle, so a thread never reads a layout with
  // another's answer; each list is filled round and round.
  HKL altGrLayouts[kLayoutSlots];
  HKL plainLayouts[kLayoutSlots];
  LONG nextAltGrSlot, nextPlainSlot;
};
extern StateBlock g_state;

constexpr int kInitialStepCounter = 10;

// The commands of the keyboard command hook, in the order of their hot-key
// entries; the names are the "Hot key" value names (UTF-16).
constexpr int kCommandCount = core::kCommandCount;
using core::kCommandNames;

// The "Key option" flags, in the order of their value names.
enum KeyOption { kNoInsertKey, kNoCapsKey, kCommaExKey, kEqualExKey, kSpaceExKey, kKeyOptionCount };
extern const char* const kKeyOptionNames[kKeyOptionCount];

// Used by the keyboard command hook: the primary screen as it last measured
// it, the window it last found at the cursor, and the cursor position that
// the mouse position hook records.
extern std::int32_t g_screenWidth, g_screenHeight;
extern HWND g_windowUnderCursor;
extern std::int32_t g_cursorX, g_cursorY;

}  // namespace qov32
