#include "app/ViewKeys.h"

#include "app/QovDesktopApp.h"
#include "app/settings_names.h"

int CViewKeys::Register(HWND window, const CQovDesktopApp& app) {
  Unregister(window);
  int taken = 0;
  for (int c = 0; c < core::kViewKeyCount; ++c) {
    const int stored = app.ReadIntSetting(settings::kHotKeys, core::kViewKeyNames[c],
                                          static_cast<int>(core::ValueFromHotKey(core::DefaultViewKey(c))));
    m_keys[c] = core::HotKeyFromValue(static_cast<std::uint32_t>(stored));
    m_taken[c] = m_keys[c].key != 0 &&
                 !RegisterHotKey(window, IdOf(c), m_keys[c].modifiers, m_keys[c].key);
    taken += m_taken[c];
  }
  return taken;
}

void CViewKeys::Unregister(HWND window) {
  for (int c = 0; c < core::kViewKeyCount; ++c) UnregisterHotKey(window, IdOf(c));
}
