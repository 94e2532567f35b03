// Holds the test run's Wine desktop open until the run's wineserver ends it.
// The desktop's explorer is started by the first process that uses the
// desktop and inherits that process's output: started by a test program, it
// would hold the test's output pipe after the test ended, and ctest waits for
// every holder of it.  Taking the desktop here first starts explorer with this
// process's (empty) output, and keeps it from leaving and starting again
// between tests.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  GetDesktopWindow();
  // No window of its own, so no broadcast ever waits for this thread.
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}
