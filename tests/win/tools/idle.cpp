// Stays alive, windowless, until the test run's wineserver ends it, so that
// the desktop's explorer does not leave and start again between tests.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  for (;;) Sleep(INFINITE);
}
