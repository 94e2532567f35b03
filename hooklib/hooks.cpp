// The exported functions and the hook procedures.  They run inside other
// programs: no allocation, no exceptions, no locks; the only handles they
// keep are the settings' keys and events (hooklib/settings.h).

#include "core/key_commands.h"
#include "fw/shellwnd.h"
#include "hooklib/qov32.h"
#include "hooklib/settings.h"
#include "hooklib/state.h"

namespace qov32 {

namespace {

// The desktop icon window as last found on this thread.  Looked for again
// when it is gone or the setting changed (the shell may have made new
// windows meanwhile), and at every message while there is none.
HWND g_iconWindow;

// Sets the view bits of the desktop icon window as "Desktop icon" asks.  The
// style is written only when the view differs, so a view that anyone changed
// is set back at the next message, without a style change on every message.
void ApplyDesktopIconView() {
  bool reread = false;
  const core::IconView view = CurrentDesktopIconView(&reread);
  if (view == core::IconView::kUnchanged) return;
  if (reread || !g_iconWindow || !IsWindow(g_iconWindow))
    g_iconWindow = fw::FindDesktopIconWindow();
  HWND icons = g_iconWindow;
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

// ---- The keyboard command hook ----

core::Point CursorPosition() { return {g_cursorX, g_cursorY}; }

void SetCursorPosition(core::Point p) {
  g_cursorX = p.x;
  g_cursorY = p.y;
}

LPARAM PointParam(core::Point p) {
  return MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y));
}

WPARAM ParentNotifyParam(HWND window, UINT button) {
  return MAKEWPARAM(button, static_cast<WORD>(GetDlgCtrlID(window)));
}

// The window at the cursor position, noted as the window under the cursor.
HWND WindowAtCursor() {
  const POINT point = {g_cursorX, g_cursorY};
  g_windowUnderCursor = WindowFromPoint(point);
  return g_windowUnderCursor;
}

// Tells the window at the cursor position that the pointer is over it, as a
// button press would begin.
void NoticeWindowAtCursor() {
  HWND window = WindowAtCursor();
  if (!window) return;
  PostMessageA(window, WM_PARENTNOTIFY, ParentNotifyParam(window, WM_LBUTTONDOWN),
               reinterpret_cast<LPARAM>(window));
  PostMessageA(window, WM_NCHITTEST, 0, PointParam(CursorPosition()));
}

// Moves the real cursor to the cursor position.
void PlaceCursor() {
  NoticeWindowAtCursor();
  mouse_event(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE,
              static_cast<DWORD>(core::AbsoluteCoordinate(g_cursorX, g_screenWidth)),
              static_cast<DWORD>(core::AbsoluteCoordinate(g_cursorY, g_screenHeight)), 0, 0);
}

void PlaceCursorAt(core::Point p) {
  SetCursorPosition(p);
  PlaceCursor();
}

bool ToStartButton() {
  HWND taskbar = fw::FindTaskbar();
  // Without a taskbar FindWindowEx would search the top-level windows.
  HWND button = taskbar ? FindWindowExA(taskbar, nullptr, "Button", "") : nullptr;
  RECT rect;
  if (!button || !GetWindowRect(button, &rect)) return false;
  PlaceCursorAt(core::InsideCorner(rect.left, rect.top));
  return true;
}

bool ToActiveWindow() {
  HWND active = GetActiveWindow();
  RECT rect;
  if (!active || !GetWindowRect(active, &rect)) return false;
  PlaceCursorAt(core::InsideCorner(rect.left, rect.top));
  return true;
}

bool LeftClick(UINT message) {
  HWND window = WindowAtCursor();
  if (!window) return false;
  const core::Point cursor = CursorPosition();
  if (GetParent(window))
    PostMessageA(window, WM_PARENTNOTIFY, ParentNotifyParam(window, WM_LBUTTONDOWN),
                 reinterpret_cast<LPARAM>(window));
  PostMessageA(window, WM_NCHITTEST, 0, PointParam(cursor));
  // Only a key-down clicks: the key-up of the same press just consumes.
  if (!core::IsKeyDown(message)) return true;
  POINT client = {cursor.x, cursor.y};
  ScreenToClient(window, &client);
  const LPARAM position = PointParam({client.x, client.y});
  // Without a taskbar the cursor is outside it.
  HWND taskbar = fw::FindTaskbar();
  RECT bar;
  const bool outside = !taskbar || !GetWindowRect(taskbar, &bar) ||
                       core::OutsideRect(cursor, bar.left, bar.top, bar.right, bar.bottom);
  if (outside) {
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  } else {
    PostMessageA(window, WM_LBUTTONDOWN, 0, position);
    PostMessageA(window, WM_LBUTTONUP, 0, position);
  }
  PostMessageA(window, WM_LBUTTONDOWN, 0, position);
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  PostMessageA(window, WM_LBUTTONUP, 0, position);
  return true;
}

// One press, one click: the real button goes down and up again on the
// key-down, at the cursor position; the key-up only consumes.  A button left
// down would hold the right button for the whole desktop.
bool RightClick(UINT message) {
  HWND window = WindowAtCursor();
  if (!window) return false;
  if (!core::IsKeyDown(message)) return true;
  DefWindowProcA(window, WM_PARENTNOTIFY, ParentNotifyParam(window, WM_RBUTTONDOWN),
                 reinterpret_cast<LPARAM>(window));
  DefWindowProcA(window, WM_NCHITTEST, 0, PointParam(CursorPosition()));
  PlaceCursor();
  mouse_event(MOUSEEVENTF_RIGHTDOWN, 0, 0, 0, 0);
  mouse_event(MOUSEEVENTF_RIGHTUP, 0, 0, 0, 0);
  return true;
}

// Runs one command for a message; true when it consumed the message.
bool RunCommand(int command, UINT message) {
  g_screenWidth = GetSystemMetrics(SM_CXSCREEN);
  g_screenHeight = GetSystemMetrics(SM_CYSCREEN);
  if (command <= core::kMoveDownFast) {
    NoticeWindowAtCursor();
    g_state.stepCounter = core::NextStepCounter(g_state.stepCounter, message);
  }
  if (command <= core::kToBottomRight) {
    PlaceCursorAt(core::CommandTarget(command, CursorPosition(), g_state.stepCounter,
                                      g_screenWidth, g_screenHeight));
    return true;
  }
  switch (command) {
    case core::kToStartButton: return ToStartButton();
    case core::kToActiveWindow: return ToActiveWindow();
    case core::kLeftClick: return LeftClick(message);
    case core::kRightClick: return RightClick(message);
    default: return false;
  }
}

// Whether any command is bound to this key at all: most messages carry no
// bound key, and need not look at the keyboard.
bool AnyCommandFor(const MouseSettings& settings, WPARAM key) {
  for (const core::HotKeyEntry& entry : settings.hotKeys) {
    if (entry.Key() != 0 && entry.Key() == key) return true;
  }
  return false;
}

bool KnownLayout(const HKL (&slots)[kLayoutSlots], HKL layout) {
  for (HKL known : slots) {
    if (known == layout) return true;
  }
  return false;
}

void RememberLayout(HKL (&slots)[kLayoutSlots], LONG& next, HKL layout) {
  const LONG slot = InterlockedIncrement(&next) - 1;
  slots[static_cast<unsigned long>(slot) % kLayoutSlots] = layout;
}

// Whether this thread's keyboard layout has AltGr, asked of the layout once
// (VkKeyScanEx only reads the layout's tables; ToUnicodeEx would disturb the
// dead-key state of the program's own typing).
bool CurrentLayoutHasAltGr() {
  HKL layout = GetKeyboardLayout(0);
  if (!layout) return false;
  if (KnownLayout(g_state.altGrLayouts, layout)) return true;
  if (KnownLayout(g_state.plainLayouts, layout)) return false;
  const bool altGr = core::LayoutHasAltGr(
      [layout](char16_t c) { return static_cast<std::int16_t>(VkKeyScanExW(c, layout)); });
  if (altGr) {
    RememberLayout(g_state.altGrLayouts, g_state.nextAltGrSlot, layout);
  } else {
    RememberLayout(g_state.plainLayouts, g_state.nextPlainSlot, layout);
  }
  return altGr;
}

// The commands for one retrieved message; true when one consumed it.
bool RunCommands(const MouseSettings& settings, MSG& msg) {
  if (!AnyCommandFor(settings, msg.wParam)) return false;
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  const bool alt = GetKeyState(VK_MENU) < 0;
  bool allowed = false;  // asked at the first entry that matches
  for (int i = 0; i < kCommandCount; ++i) {
    if (!core::CommandMatches(settings.hotKeys[i], msg.wParam, ctrl, alt)) continue;
    if (!allowed) {
      // A key typed with AltGr goes to the program untouched.
      if (!core::KeyMessageMayRunCommands(msg.message, GetKeyState(VK_RMENU) < 0,
                                          CurrentLayoutHasAltGr))
        return false;
      allowed = true;
    }
    if (RunCommand(i, msg.message)) {
      msg.wParam = core::kConsumedKey;  // no later command or option matches it
      return true;
    }
  }
  return false;
}

// The key options for one retrieved message.
void ApplyKeyOptions(const MouseSettings& settings, MSG& msg) {
  const core::KeyOptionEffect effect =
      core::ApplyKeyOptions(msg.message, msg.wParam, settings.keyOptions);
  if (effect.then == core::KeyOptionEffect::kGoOn) return;
  msg.wParam = effect.wParam;
  if (effect.postChar) PostMessageA(msg.hwnd, WM_CHAR, static_cast<unsigned char>(effect.postChar), 0);
}

// Whether Windows called the hook here for a window of another process: a
// hook of the other bitness runs on the thread that installed it, with the
// other program's message.  Its keys are not this process's to act on: the
// key state here is the controller's, and the window is not one of ours.
bool ForAnotherProcess(HWND hwnd) {
  DWORD process = 0;
  return hwnd && GetWindowThreadProcessId(hwnd, &process) && process != GetCurrentProcessId();
}

}  // namespace

}  // namespace qov32

using namespace qov32;

extern "C" {

// Every message goes on down the chain, changed or not, with the wParam that
// came in: a hook that kept it from the next one would silently break every
// other WH_GETMESSAGE hook on the desktop, and one that changed the wParam
// would tell them that a message only looked at is being taken.
LRESULT WINAPI GetMsgProc(int code, WPARAM wParam, LPARAM lParam) {
  MSG* msg = reinterpret_cast<MSG*>(lParam);
  // Programs often look at a message (PM_NOREMOVE) before they take it: the
  // commands and options act once, when it is taken; a look changes nothing.
  // Only key-downs and key-ups are acted on: a typed character, a timer or a
  // command whose number equals a bound key is the program's own.
  if (msg && (wParam & PM_REMOVE) && core::IsKeyMessage(msg->message) &&
      !ForAnotherProcess(msg->hwnd)) {
    // A change of the settings applies from the next key-down, in every process.
    if (core::IsKeyDown(msg->message)) RefreshMouseSettings();
    CurrentMouseSettings settings;
    RunCommands(*settings, *msg);
    ApplyKeyOptions(*settings, *msg);
  }
  return CallNextHookEx(g_state.messageHook, code, wParam, lParam);
}

// Notes where the cursor is, for the keyboard commands of this process.
// Non-client moves (title bars, borders) are not noted.
LRESULT WINAPI MouseProc(int code, WPARAM wParam, LPARAM lParam) {
  const MOUSEHOOKSTRUCT* info = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
  if (code >= 0 && wParam == WM_MOUSEMOVE && info && !ForAnotherProcess(info->hwnd)) {
    g_cursorX = info->pt.x;
    g_cursorY = info->pt.y;
  }
  return CallNextHookEx(g_state.mouseHook, code, wParam, lParam);
}

HHOOK WINAPI SetHookMessage(DWORD) {
  if (g_state.messageHook) return g_state.messageHook;
  ReloadMouseSettings();
  g_state.messageHook = SetWindowsHookExA(WH_GETMESSAGE, GetMsgProc, g_state.module, 0);
  return g_state.messageHook;
}

BOOL WINAPI UnSetHookMessage() {
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
