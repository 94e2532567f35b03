#include <windows.h>

#include "mouse/QovMouse.h"

CQovMouseApp theApp;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return theApp.Run(instance); }
