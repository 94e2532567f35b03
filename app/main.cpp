#include <windows.h>

#include "app/QovDesktopApp.h"

CQovDesktopApp theApp;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return theApp.Run(instance); }
