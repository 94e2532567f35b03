// An icon in the notification area, owned by one window: added, given a new
// tip, removed.  The shell tells the window of clicks and keys on it through
// a callback message, which EventOf reads.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace fw {

class CNotifyIcon {
 public:
  CNotifyIcon() = default;
  ~CNotifyIcon() { Remove(); }
  CNotifyIcon(const CNotifyIcon&) = delete;
  CNotifyIcon& operator=(const CNotifyIcon&) = delete;

  // Adds the icon, or replaces it.
  bool Add(HWND owner, UINT id, UINT callbackMessage, HICON icon, const std::string& tip);
  // Shows a new tip; nothing is asked of the shell when it is the same.
  void SetTip(const std::string& tip);
  void Remove();
  // A restarted shell has forgotten the icon: the next Add adds it anew.
  void Forget() { m_added = false; }
  bool Added() const { return m_added; }

  // What a callback message asks for: the menu (a right-click, or Shift+F10
  // or the menu key on the icon), the icon's own action (a click, or Enter
  // or Space on it), or nothing.
  enum class Event { kNone, kMenu, kChoose };
  Event EventOf(LPARAM lParam) const;

 private:
  NOTIFYICONDATAA m_data = {};
  bool m_added = false;
  // The shell took NOTIFYICON_VERSION: it reports the keyboard too, as
  // WM_CONTEXTMENU, NIN_SELECT and NIN_KEYSELECT, besides the raw clicks.
  bool m_keyboard = false;
};

}  // namespace fw
