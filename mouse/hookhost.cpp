// QovHookHost.exe: QOV32's keyboard command and mouse position hooks for the
// programs of its own bitness, for as long as the keyboard-mouse controller
// of the other bitness runs.  A hook library reaches only programs of its own
// bitness, so the 64-bit package carries the 32-bit library and this host of
// it in a folder "x86", and the 64-bit QovMouse starts it.  The host imports
// the library as QOV32x86.dll: SetWindowsHookEx wants the 32-bit and the
// 64-bit hook library under different names.
//
//   QovHookHost.exe EVENT CONTROLLER
//
// EVENT is an inherited event handle that the controller sets when it ends;
// CONTROLLER its process id, so that the host ends with a controller that
// was killed too.
#include <windows.h>

#include <cstdlib>

#include "hooklib/qov32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (__argc != 3) return 2;
  HANDLE ends[2] = {
      reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(std::strtoul(__argv[1], nullptr, 10))),
      OpenProcess(SYNCHRONIZE, FALSE, std::strtoul(__argv[2], nullptr, 10))};
  if (!ends[1]) return 2;
  SetHookMessage(0);
  SetHookMouse(0);
  // Windows runs these hooks for programs of the other bitness on this
  // thread, through its message queue: it must go on taking messages.
  for (bool running = true; running;) {
    if (MsgWaitForMultipleObjects(2, ends, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0 + 2)
      break;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) running = false;
      DispatchMessageA(&msg);
    }
  }
  UnSetHookMessage();
  UnSetHookMouse();
  return 0;
}
