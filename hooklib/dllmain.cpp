// The library's entry point: it only notes its module handle.  Nothing is
// released at process detach; the hooks die with the threads that set them.
#include <windows.h>

#include "hooklib/state.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    qov32::g_state.module = instance;
    qov32::g_state.messageHook = nullptr;
    qov32::g_state.mouseHook = nullptr;
  }
  return TRUE;
}
