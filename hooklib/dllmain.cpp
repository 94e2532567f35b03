// The library's entry point.  It notes its module handle at attach; when it
// is unloaded from a process that goes on running, it closes the registry
// keys and events of its settings.  At process exit it leaves them: the
// system closes them, and other threads may be stopped anywhere.
#include <windows.h>

#include "hooklib/settings.h"
#include "hooklib/state.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    qov32::g_state.module = instance;
    qov32::g_state.messageHook = nullptr;
    qov32::g_state.mouseHook = nullptr;
  } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
    qov32::CloseSettingsWatches();
  }
  return TRUE;
}
