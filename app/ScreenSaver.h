// Starting a screen saver file.
#pragma once
#include <windows.h>

#include <string>

#include "settings/ScreenSaverFile.h"

// Starts a screen saver file through the shell's "open" action, which runs
// it as the screen saver, with the system directory as working directory.
// A file that cannot be started is not reported.
void StartScreenSaver(HWND owner, const std::string& path);
