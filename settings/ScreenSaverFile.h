// Choosing a screen saver file in the Open-file dialog.
#pragma once
#include <windows.h>

#include <string>

// The Windows system directory, where screen savers live; empty if unknown.
std::string SystemDirectory();

// Asks for a screen saver file in the Open-file dialog, owned by `owner`:
// screen saver files (*.scr) or all files, starting in the system directory.
// True, with the chosen file's full path in `path`, when the user confirms a
// file; false, with `path` untouched, when the dialog is cancelled.
bool ChooseScreenSaverFile(HWND owner, std::string& path);
