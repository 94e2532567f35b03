// The wallpaper rotation's change: the next bitmap of a directory becomes the
// desktop wallpaper.
#pragma once
#include <string>

// Sets the "*.bmp" entry that follows rotation position `index` in
// `directory` (the current directory when empty) as the desktop wallpaper,
// for this session only, and returns the position to keep for the next
// change.  Leaves the wallpaper as it is when no bitmap is found there.
int ChangeWallPaper(const std::string& directory, int index);

// A "Wall paper directory" as the rotation uses it: the Windows directory
// stands in for an empty one.
std::string WallPaperDirectoryOrWindows(const std::string& directory);

// The stored "Wall paper directory", or the Windows directory when it is
// empty; the fallback is not written back.
std::string ReadWallPaperDirectory();
