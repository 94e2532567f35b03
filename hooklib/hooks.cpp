// The exported functions and the hook procedures.  They run inside other
// programs: no allocation, no exceptions, no locks, every handle closed.
#include <cstring>

#include "hooklib/qov32.h"
#include "hooklib/settings.h"
#include "hooklib/state.h"

namespace qov32 {

namespace {

// The shell's desktop icon list view: the first child of the first child of
// the "ProgMan" window.
HWND FindDesktopIconWindow() {
  HWND progman = FindWindowA("ProgMan", nullptr);
  HWND view = progman ? GetTopWindow(progman) : nullptr;
  return view ? GetTopWindow(view) : nullptr;
}

// Sets the view bits of the desktop icon window as "Desktop icon" asks.  The
// style is written only when the view differs, so a view that anyone changed
// is set back at the next message, without a style change on every message.
void ApplyDesktopIconView() {
  const core::IconView view = ReadDesktopIconView();
  if (view == core::IconView::kUnchanged) return;
  HWND icons = FindDesktopIconWindow();
  if (!icons) return;
  const auto style = static_cast<std::uint32_t>(GetWindowLongA(icons, GWL_STYLE));
  std::uint32_t wanted = 0;
  if (core::StyleForIconView(style, view, wanted))
    SetWindowLongA(icons, GWL_STYLE, static_cast<LONG>(wanted));
}

// WH_GETMESSAGE on the desktop thread.  The message goes on down the chain,
// so that other hooks on the shell's thread (the keyboard command hook among
// them) still see it.
LRESULT CALLBACK DesktopHookProc(int code, WPARAM wParam, LPARAM lParam) {
  ApplyDesktopIconView();
  return CallNextHookEx(g_state.desktopHook, code, wParam, lParam);
}

}  // namespace

}  // namespace qov32

using namespace qov32;

extern "C" {

LRESULT WINAPI GetMsgProc(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(g_state.messageHook, code, wParam, lParam);
}

LRESULT WINAPI MouseProc(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(g_state.mouseHook, code, wParam, lParam);
}

HHOOK WINAPI SetHookMessage(DWORD) {
  if (g_state.messageHook) return g_state.messageHook;
  ReadHotKeyTable(g_hotKeys);
  ReadKeyOptions(g_keyOptions);
  g_state.messageHook = SetWindowsHookExA(WH_GETMESSAGE, GetMsgProc, g_state.module, 0);
  return g_state.messageHook;
}

BOOL WINAPI UnSetHookMessage() {
  std::memset(g_hotKeys, 0, sizeof(g_hotKeys));
  HHOOK hook = g_state.messageHook;
  g_state.messageHook = nullptr;
  return UnhookWindowsHookEx(hook);
}

HHOOK WINAPI SetHookMouse(DWORD) {
  if (!g_state.mouseHook)
    g_state.mouseHook = SetWindowsHookExA(WH_MOUSE, MouseProc, g_state.module, 0);
  return g_state.mouseHook;
}

BOOL WINAPI UnSetHookMouse() {
  HHOOK hook = g_state.mouseHook;
  g_state.mouseHook = nullptr;
  return UnhookWindowsHookEx(hook);
}

BOOL WINAPI SetHookDesktop(DWORD threadId) {
  if (threadId == 0) return FALSE;
  HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, DesktopHookProc, g_state.module, threadId);
  if (!hook) return FALSE;
  // One installation at a time: the new one replaces the last (which may sit
  // on a thread of a shell that has since restarted).  A failed installation
  // above leaves the last one working.
  if (g_state.desktopHook) UnhookWindowsHookEx(g_state.desktopHook);
  g_state.desktopHook = hook;
  // The thread runs the hook, and so applies the setting, at its next message.
  return PostThreadMessageA(threadId, WM_NULL, 0, 0);
}

BOOL WINAPI UnSetHookDesktop() {
  HHOOK hook = g_state.desktopHook;
  g_state.desktopHook = nullptr;
  return UnhookWindowsHookEx(hook);
}

}  // extern "C"
