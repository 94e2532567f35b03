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

  // Reads the keys and registers them for `window`, each on its own: a key
  // that another program holds does not keep the others from working.
  // Returns how many could not be taken.
  int Register(HWND window, const CQovDesktopApp& app);
  void Unregister(HWND window);
  core::HotKey Key(int command) const { return m_keys[command]; }
  // Whether another program held the command's key when it was registered.
  bool Taken(int command) const { return m_taken[command]; }

 private:
  core::HotKey m_keys[core::kViewKeyCount] = {};
  bool m_taken[core::kViewKeyCount] = {};
};
