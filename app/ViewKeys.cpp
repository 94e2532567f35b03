#include "app/ViewKeys.h"

#include "app/QovDesktopApp.h"
#include "app/settings_names.h"

namespace {

// Often enough that a key let go and pressed again at once counts twice;
// the timer runs only while a key is held.
const UINT kHeldPeriod = 20;

bool KeyDown(unsigned key) { return (GetAsyncKeyState(static_cast<int>(key)) & 0x8000) != 0; }

// Windows 7 and later send a held key's message once; an older Windows may
// refuse the flag it does not know, and then takes the key without it.
bool RegisterKey(HWND window, int id, core::HotKey key) {
  if (RegisterHotKey(window, id, key.modifiers | core::kModNoRepeat, key.key)) return true;
  if (GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED) return false;
  return RegisterHotKey(window, id, key.modifiers, key.key) != FALSE;
}

}  // namespace

int CViewKeys::Register(HWND window, const CQovDesktopApp& app) {
  Unregister(window);
  for (int c = 0; c < core::kViewKeyCount; ++c) {
    const int stored = app.ReadIntSetting(settings::kHotKeys, core::kViewKeyNames[c],
                                          static_cast<int>(core::ValueFromHotKey(core::DefaultViewKey(c))));
    m_keys[c] = core::HotKeyFromValue(static_cast<std::uint32_t>(stored));
  }
  int taken = 0;
  for (int c = 0; c < core::kViewKeyCount; ++c) {
    // A later command with the same key is not tried: it is not held by
    // another program, and the page says whose key it is.
    m_taken[c] = m_keys[c].key != 0 && core::FirstWithKey(m_keys, c) &&
                 !RegisterKey(window, IdOf(c), m_keys[c]);
    taken += m_taken[c];
  }
  return taken;
}

void CViewKeys::Unregister(HWND window) {
  for (int c = 0; c < core::kViewKeyCount; ++c) UnregisterHotKey(window, IdOf(c));
  KillTimer(window, kHeldTimer);
  m_held.Clear();
}

bool CViewKeys::Pressed(HWND window, int command) {
  if (command < 0 || command >= core::kViewKeyCount) return false;
  if (!m_held.Take(command, KeyDown(m_keys[command].key))) return false;
  // Held: the timer sees it let go, so that the next press counts.
  if (m_held.Held(command)) SetTimer(window, kHeldTimer, kHeldPeriod, nullptr);
  return true;
}

void CViewKeys::WatchHeld(HWND window) {
  for (int c = 0; c < core::kViewKeyCount; ++c)
    if (m_held.Held(c)) m_held.Seen(c, KeyDown(m_keys[c].key));
  if (!m_held.AnyHeld()) KillTimer(window, kHeldTimer);
}
