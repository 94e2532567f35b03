// The exports of the hook library QOV32.dll (ordinals in QOV32.def).
#pragma once
#include <windows.h>

// QOV32_STATIC_LINK: the library's own code, or a test that links it in.
#ifdef QOV32_STATIC_LINK
#define QOV32_API
#else
#define QOV32_API __declspec(dllimport)
#endif

extern "C" {

// The keyboard command hook (WH_GETMESSAGE, all threads) and the mouse
// position hook (WH_MOUSE, all threads), installed by the keyboard-mouse
// controller.  The argument of the Set functions has no effect.  A second Set
// while installed returns the same handle; Set after UnSet installs anew.
QOV32_API LRESULT WINAPI GetMsgProc(int code, WPARAM wParam, LPARAM lParam);
QOV32_API LRESULT WINAPI MouseProc(int code, WPARAM wParam, LPARAM lParam);
QOV32_API HHOOK WINAPI SetHookMessage(DWORD unused);
QOV32_API BOOL WINAPI UnSetHookMessage();
QOV32_API HHOOK WINAPI SetHookMouse(DWORD unused);
QOV32_API BOOL WINAPI UnSetHookMouse();

// The desktop hook on the thread of the shell's desktop icon window: applies
// HKCU\Software\QovSoft\QovDesktop\Setting "Desktop icon" at every message
// that thread retrieves.  FALSE for thread 0 or when it cannot be installed;
// otherwise whether the wake-up message reached the thread.  A new
// installation replaces the previous one.
QOV32_API BOOL WINAPI SetHookDesktop(DWORD threadId);
QOV32_API BOOL WINAPI UnSetHookDesktop();

}  // extern "C"
