// Registry sections and value names of QovDesktop's settings.
#pragma once

namespace settings {

inline constexpr char kCompanyKey[] = "QovSoft";

inline constexpr char kScreen[] = "Screen";
inline constexpr char kHeight[] = "Height";
inline constexpr char kWidth[] = "Width";

inline constexpr char kSetting[] = "Setting";
inline constexpr char kMoveAuto[] = "Move auto";
inline constexpr char kFineFirst[] = "Fine first";
inline constexpr char kMoveDesktopIcons[] = "Move desktop icons";
inline constexpr char kDesktopIcon[] = "Desktop icon";
inline constexpr char kScreenSaver[] = "Screen saver";
inline constexpr char kWallPaperDirectory[] = "Wall paper directory";
inline constexpr char kWallPaperInterval[] = "Wall paper interval";
// 0 stops the rotation; any other value, or none, keeps it going.
inline constexpr char kWallPaperRotation[] = "Wall paper rotation";

// Volatile, one key per desktop below this one: how far the view stands from
// the start, in pixels, while it is away from it, so that a later start after
// a killed run knows where the windows are, whatever the screen count or the
// resolution it starts with.
inline constexpr char kView[] = "View";
inline constexpr char kViewLeft[] = "Left offset";
inline constexpr char kViewTop[] = "Top offset";

// The view's hot keys, one REG_DWORD a command (core/viewkeys.h), and the
// programs whose windows are always pinned (file names separated by '|').
inline constexpr char kHotKeys[] = "Hot keys";
inline constexpr char kPinnedPrograms[] = "Pinned programs";
// What the program has beyond its first design: the notification-area icon
// (1 or none: shown), edge push (milliseconds; 0 or none: off), pushing only
// a dragged window, and the page indicator (1 or none: shown).
inline constexpr char kNotifyIcon[] = "Notify icon";
inline constexpr char kEdgePush[] = "Edge push";
inline constexpr char kEdgePushDragging[] = "Edge push only while dragging";
inline constexpr char kPageIndicator[] = "Page indicator";
// 1 once a 32-bit build has told the user that this Windows is 64-bit.
inline constexpr char kToldWow64[] = "Told 64-bit Windows";

inline constexpr int kDefaultScreens = 3;
inline constexpr int kDefaultWallPaperInterval = 10;

}  // namespace settings
