// The hot keys of the view: registered by the main window, each stored as a
// REG_DWORD under the "Hot keys" section (the defaults where none is).
#pragma once
#include <windows.h>

#include "core/viewkeys.h"

class CQovDesktopApp;

class CViewKeys {
 public:
  // WM_HOTKEY's id of a command.
  static int IdOf(int command) { return command + 1; }
  static int CommandOf(WPARAM id) { return static_cast<int>(id) - 1; }
  // The main window's timer that looks for held keys to be let go, running
  // only while one is held (the window's own timers are 1 and 2).
  static constexpr UINT_PTR kHeldTimer = 3;

  // Reads the keys and registers them for `window`, each on its own: a key
  // that another program holds does not keep the others from working.  A key
  // given to several commands is registered for the first of them only.
  // Returns how many could not be taken.
  int Register(HWND window, const CQovDesktopApp& app);
  void Unregister(HWND window);
  core::HotKey Key(int command) const { return m_keys[command]; }
  // Whether another program held the command's key when it was registered.
  bool Taken(int command) const { return m_taken[command]; }

  // A WM_HOTKEY of the command: whether it is a new press, to be carried
  // out, and not a repeat of a key held down.
  bool Pressed(HWND window, int command);
  // kHeldTimer: looks whether the held keys are still down.
  void WatchHeld(HWND window);

 private:
  core::HotKey m_keys[core::kViewKeyCount] = {};
  bool m_taken[core::kViewKeyCount] = {};
  core::HeldKeys m_held;
};
