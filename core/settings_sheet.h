// Rules of the settings sheet: its spin arrows and the values its OK stores.
#pragma once
#include <string>

namespace core {

// The stored settings as the sheet's pages start from them.
struct SettingValues {
  int height = 3;  // screens down
  int width = 3;   // screens across
  int moveAuto = 0;
  int fineFirst = 0;
  int moveDesktopIcons = 0;
  std::string desktopIcon = "Large";
  std::string screenSaver;
  std::string wallPaperDirectory;
  int wallPaperInterval = 10;  // minutes
  int wallPaperOn = 1;
  int notifyIcon = 1;
  int startWithWindows = 0;
  int edgePush = 0;  // milliseconds the pointer rests at an edge; 0 is off
  int edgePushDragging = 0;
  int pageIndicator = 1;
};

// A click on an up-down control without a buddy and with the default range
// (minimum 100, maximum 0) proposes -1 for the up arrow and +1 for the down
// arrow.  The value moves the other way, never below 1 and never past the
// largest int; the control is told the negated change.
int SpinStep(int value, int proposedDelta);

// The integer value of an edit's text: a whole decimal number, with an
// optional sign and blanks around it.  Anything else, or a number beyond the
// int range, is 0.
int EditInteger(const std::string& text);

// A screen count as the settings store keeps it and the program applies it:
// at least 1, and at most the largest count whose last view position,
// (count - 1) pages of `pageSize` pixels, a 16-bit scroll position can
// carry.  A page size below 1 bounds nothing but the floor.
int ClampScreenCount(int count, int pageSize);

// How long the pointer rests against an edge before the view moves, in
// milliseconds: 0 (or less) is off, anything else is held between 200 and
// 5000, so that a stray touch never pages and a push is never out of reach.
constexpr int kEdgePushProposed = 500;
int ClampEdgePush(int milliseconds);

}  // namespace core
