// The view from the keyboard: the hot keys that page it, gathering windows
// that are off the screen, and programs whose windows stay where they are.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/display.h"

namespace core {

// The commands of the hot keys, in the order of their settings.
enum ViewKey {
  kViewKeyLeft,
  kViewKeyRight,
  kViewKeyUp,
  kViewKeyDown,
  kViewKeyHome,
  kViewKeyOverview,
  kViewKeyPin,
  kViewKeyCount
};

// RegisterHotKey's modifiers, and its flag that asks Windows 7 and later
// for one message a press, however long the key is held.
constexpr unsigned kModAlt = 1, kModControl = 2, kModShift = 4, kModWin = 8;
constexpr unsigned kModNoRepeat = 0x4000;

// A hot key: its modifiers and virtual key; none when the key is 0.
struct HotKey {
  unsigned modifiers;
  unsigned key;
};

// The registry value names, one a command.
extern const char* const kViewKeyNames[kViewKeyCount];

// Win+Ctrl+Alt with ← → ↑ ↓, Home, Space and P: clear of Windows' own keys
// (Ctrl+Win+← → switch desktops, Win+arrows snap) and of the controller's
// Ctrl+Alt commands.
HotKey DefaultViewKey(int command);

// The stored form, one REG_DWORD: the modifiers in the high word, the key
// in the low.  A value with other bits, or with a key beyond 0xFE, is none.
HotKey HotKeyFromValue(std::uint32_t value);
std::uint32_t ValueFromHotKey(HotKey key);

// One key given to several commands belongs to the first of them in the
// list: only that one registers it, and the keys page marks them all.  No
// key is never the same as another.
bool SameHotKey(HotKey a, HotKey b);
// Whether no command before `command` has its key.
bool FirstWithKey(const HotKey (&keys)[kViewKeyCount], int command);
// Whether any other command has its key.
bool KeyGivenTwice(const HotKey (&keys)[kViewKeyCount], int command);

// The keys held down.  Where the system ignores kModNoRepeat (Windows before
// 7, Wine), a held key's message comes again at every repeat of the key; a
// command's key counts as held from a message taken while it was down until
// it is seen up, and its messages meanwhile are repeats.
class HeldKeys {
 public:
  // A message of the command's key, which is `down` now: whether it is a
  // new press, to be carried out.  A key already up again is not held.
  bool Take(int command, bool down);
  // The command's key, seen while held: up, it may be pressed anew.
  void Seen(int command, bool down);
  bool Held(int command) const { return command >= 0 && command < kViewKeyCount && m_held[command]; }
  bool AnyHeld() const;
  void Clear();

 private:
  bool m_held[kViewKeyCount] = {};
};

// The programs whose windows are always pinned, stored as one text of file
// names separated by '|' (which no file name holds).  Walked in UTF-16, so
// that no byte of a double-byte character is ever taken for a '|', a '\'
// or a letter.
std::vector<std::u16string> SplitProgramNames(std::u16string_view text);
// Whether the program at `imagePath` (any path, or none) is one of them,
// compared by file name with only the ASCII letters folded to one case.
bool IsProgramIn(std::u16string_view imagePath, const std::vector<std::u16string>& names);

}  // namespace core

namespace core {

// The overview: the whole virtual screen of `cols` x `rows` pages of
// pageWidth x pageHeight drawn scaled down into a client area, centred,
// with a margin around it.
struct OverviewScale {
  int left, top;           // where the virtual screen's origin is drawn
  int numerator, denominator;  // client pixels per virtual-screen pixel
  int pageWidth, pageHeight, cols, rows;
};
OverviewScale ScaleOverview(int clientWidth, int clientHeight, int margin, int pageWidth,
                            int pageHeight, int cols, int rows);
// A rectangle of the virtual screen (origin at its top-left) in the client
// area, and a point of the client area on the virtual screen.
Rect ToOverview(const OverviewScale& s, const Rect& r);
Point FromOverview(const OverviewScale& s, Point client);
// The page (column + row * cols) under a point of the client area, or -1.
int PageAt(const OverviewScale& s, Point client);

}  // namespace core

namespace core {

// A hot key control's word (HKM_GETHOTKEY: the key in the low byte, its
// HOTKEYF_ flags in the high byte) with the Win key, which the control does
// not take, from a box beside it; and the word a key shows as, with the
// extended-key flag for the keys that have one (the arrows, Home, End,
// Page Up and Down, Insert, Delete), so that the control names them right.
HotKey HotKeyFromControl(unsigned word, bool win);
unsigned ControlFromHotKey(HotKey key);

}  // namespace core
