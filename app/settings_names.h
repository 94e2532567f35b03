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

// Volatile: where the view stands while it is away from the start, so that a
// later start after a killed run knows where the windows are.
inline constexpr char kView[] = "View";
inline constexpr char kViewLeft[] = "Left";
inline constexpr char kViewTop[] = "Top";

inline constexpr int kDefaultScreens = 3;
inline constexpr int kDefaultWallPaperInterval = 10;

}  // namespace settings
