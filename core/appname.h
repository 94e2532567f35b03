// The application name that keys the program's registry settings.
#pragma once
#include <string>
#include <string_view>

namespace core {

// The file name of a module path without directory and extension, in the
// case in which it stands: "C:\\Tools\\QovDesktop.exe" gives "QovDesktop".
// Backslash, slash and colon all end a directory part.  The extension is cut
// from the file name only, so a dot in a directory name cannot eat the name.
std::string ApplicationNameFromPath(std::string_view modulePath);

// The path of a file beside the module with another extension:
// "C:\\a\\QovDesktop.exe" and ".HLP" give "C:\\a\\QovDesktop.HLP".
std::string ReplaceExtension(std::string_view modulePath, std::string_view extension);

}  // namespace core

namespace core {

// The name of the lock that keeps one view per desktop, whatever the
// program file is called: the desktop's name, with any backslash (which
// would name a namespace) replaced.
std::string ViewLockName(std::string_view desktopName);

// The settings section that keeps where the view of that desktop stands
// while it is away from the start: "View\\<desktop>", with any backslash
// replaced (it would start a key below).
std::string ViewSectionName(std::string_view desktopName);

}  // namespace core

namespace core {

// The value under Windows' "Run" key that starts the program at log-on: its
// full path in quotes, so that a path with blanks starts.
std::u16string RunValueFor(std::u16string_view programPath);
// Whether such a value names the program at `programPath`: the same path,
// quotes and the case of ASCII letters aside.
bool RunValueNames(std::u16string_view value, std::u16string_view programPath);

}  // namespace core
