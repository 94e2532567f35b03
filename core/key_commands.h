// The rules of the keyboard command hook and the key options: which command
// a key message runs, where a command puts the cursor, how the move step
// grows while a key is held, and what the key options do to a key-down.
// Plain values in, plain values out: the hook gathers them and acts.
#pragma once
#include <cstdint>

#include "core/hook_values.h"

namespace core {

// Window messages and key codes the rules look at.
constexpr unsigned kWmKeyDown = 0x100;
constexpr unsigned kWmKeyUp = 0x101;
constexpr unsigned kWmSysKeyDown = 0x104;
constexpr unsigned kWmSysKeyUp = 0x105;
constexpr unsigned kWmMouseMove = 0x200;
// The wParam a consumed key message carries on: no virtual-key code.
constexpr std::uintptr_t kConsumedKey = 0x200;
// The wParam a silenced key-down carries on.
constexpr std::uintptr_t kSilencedKey = 3;

inline bool IsKeyDown(unsigned message) {
  return message == kWmKeyDown || message == kWmSysKeyDown;
}

// A key going down or up, with Alt (WM_SYSKEY*) or without.  Only these
// carry a virtual-key code: the wParam of WM_CHAR is a character ("&" is
// 0x26, the code of the Up key), and a timer's or a command's is the
// program's own number.
inline bool IsKeyMessage(unsigned message) {
  return message == kWmKeyDown || message == kWmKeyUp || message == kWmSysKeyDown ||
         message == kWmSysKeyUp;
}

// ---- AltGr ----
// On layouts with AltGr (most European ones) the right Alt key is Ctrl+Alt
// to Windows: AltGr+S types "ś" on a Polish keyboard and arrives as
// Ctrl+Alt+S, left Ctrl and right Alt down.  A key typed that way is text,
// not a command.

// The characters a layout is asked about: Latin up to U+017F, which covers
// the letters AltGr types on European layouts, and the euro sign, which
// nearly every one of them puts on AltGr.
constexpr char16_t kAltGrProbeFirst = 0x20, kAltGrProbeLast = 0x17F, kEuroSign = 0x20AC;

// Whether a VkKeyScanEx result (the key in the low byte, the shift state in
// the high one: 1 Shift, 2 Ctrl, 4 Alt) is a key typed with Ctrl and Alt
// both, as AltGr reports itself.  -1 is "no key types it".
inline bool TypedWithCtrlAlt(std::int16_t scan) {
  const unsigned state = (static_cast<std::uint16_t>(scan) >> 8) & 0xFF;
  return state != 0xFF && (state & 6) == 6;
}

// Whether a layout has AltGr: some probe character is typed with Ctrl+Alt.
// `scan(c)` answers as VkKeyScanEx does for that layout; it is asked until
// the first such character.
template <typename Scan>
bool LayoutHasAltGr(Scan scan) {
  for (char16_t c = kAltGrProbeFirst; c <= kAltGrProbeLast; ++c) {
    if (TypedWithCtrlAlt(scan(c))) return true;
  }
  return TypedWithCtrlAlt(scan(kEuroSign));
}

// Whether a message may run the keyboard commands: a key message, and not
// one typed with AltGr (right Alt down on a layout that has it).  Left Ctrl
// with left Alt runs every command on every layout.  `layoutHasAltGr()` is
// asked only when right Alt is down.
template <typename HasAltGr>
bool KeyMessageMayRunCommands(unsigned message, bool rightAltDown, HasAltGr layoutHasAltGr) {
  return IsKeyMessage(message) && !(rightAltDown && layoutHasAltGr());
}

// The commands, in the order of their hot-key entries.
enum Command : int {
  kMoveLeftSlow, kMoveRightSlow, kMoveUpSlow, kMoveDownSlow,
  kMoveLeftFast, kMoveRightFast, kMoveUpFast, kMoveDownFast,
  kToCentre, kToLeftEdge, kToRightEdge, kToTopEdge, kToBottomEdge,
  kToTopLeft, kToTopRight, kToBottomLeft, kToBottomRight,
  kToStartButton, kToActiveWindow, kLeftClick, kRightClick,
  kCommandCount
};

// The "Hot key" value name of each command, in UTF-16: written and read
// through the "W" calls, they are the same names on every code page.
extern const char16_t* const kCommandNames[kCommandCount];

// The "Hot key" text of each command that the keyboard-mouse controller
// writes for a user who has none.
extern const char16_t* const kDefaultHotKeys[kCommandCount];

// Whether an entry runs for a message with this wParam while Ctrl and Alt
// are as given: its key is set and equal to wParam, and its Ctrl and Alt
// columns agree with the keys.  Neither key down never matches.
bool CommandMatches(const HotKeyEntry& entry, std::uintptr_t wParam, bool ctrl, bool alt);

// The step counter after a move command ran for a message: one more for a
// key-down (auto-repeat included), back to 10 for anything else.
constexpr std::int32_t kStepCounterStart = 10;
std::int32_t NextStepCounter(std::int32_t counter, unsigned message);
// Pixels of a slow move at a counter (a tenth of it), and of a fast one.
std::int32_t SlowStep(std::int32_t counter);
std::int32_t FastStep(std::int32_t counter);

struct Point {
  std::int32_t x, y;
};

// Where a move or place command (kMoveLeftSlow to kToBottomRight) puts the
// cursor from `from`, with the given step counter (already updated) and
// screen size.  Moves are not clamped: the cursor may go past the screen.
// Coordinates wrap around rather than overflow.
Point CommandTarget(int command, Point from, std::int32_t counter, std::int32_t width,
                    std::int32_t height);

// A point 5 pixels right of and below a window's top-left corner: where the
// Start button and active window commands put the cursor.
inline Point InsideCorner(std::int32_t left, std::int32_t top) {
  return {static_cast<std::int32_t>(static_cast<std::uint32_t>(left) + 5u),
          static_cast<std::int32_t>(static_cast<std::uint32_t>(top) + 5u)};
}

// Whether a point lies outside a rectangle whose border counts as inside
// (either corner may come first).
bool OutsideRect(Point p, std::int32_t left, std::int32_t top, std::int32_t right,
                 std::int32_t bottom);

// The absolute mouse_event coordinate (0 to 65535 across the screen) of a
// screen coordinate on an axis of `extent` pixels: position / (extent - 1) *
// 65535, truncated.  Positions off the screen give values beyond that range;
// an axis of one pixel or less gives 0, and the value stays within int.
std::int32_t AbsoluteCoordinate(std::int32_t position, std::int32_t extent);

// The five key options, in the order of their "Key option" values.
enum KeyOptionFlag { kNoInsertKey, kNoCapsKey, kCommaExKey, kEqualExKey, kSpaceExKey, kKeyOptionCount };

// What a key option did to a message.
struct KeyOptionEffect {
  enum Then {
    kGoOn,        // no rule applied: the call goes on
    kSpace,       // a Space rule replaced the key; the call goes on, consumed
    kStop,        // the message was changed; the call ends there
  } then = kGoOn;
  std::uintptr_t wParam = 0;  // the message's new wParam (unless kGoOn)
  char postChar = 0;          // a WM_CHAR to post to the message's window, if not 0
};

// The first key option rule that applies to a message, in their fixed order.
KeyOptionEffect ApplyKeyOptions(unsigned message, std::uintptr_t wParam,
                                const bool (&flags)[kKeyOptionCount]);

}  // namespace core
