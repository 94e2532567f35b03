#include "fw/notifyicon.h"

#include <cstring>

namespace fw {

bool CNotifyIcon::Add(HWND owner, UINT id, UINT callbackMessage, HICON icon,
                      const std::string& tip) {
  Remove();
  m_data = {};
  // The size Windows XP knows; later Windows take it as well.
  m_data.cbSize = NOTIFYICONDATAA_V2_SIZE;
  m_data.hWnd = owner;
  m_data.uID = id;
  m_data.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
  m_data.uCallbackMessage = callbackMessage;
  m_data.hIcon = icon;
  lstrcpynA(m_data.szTip, tip.c_str(), sizeof(m_data.szTip));
  m_added = Shell_NotifyIconA(NIM_ADD, &m_data) != FALSE;
  if (!m_added) return false;
  m_data.uVersion = NOTIFYICON_VERSION;
  m_keyboard = Shell_NotifyIconA(NIM_SETVERSION, &m_data) != FALSE;
  return true;
}

void CNotifyIcon::SetTip(const std::string& tip) {
  if (!m_added || std::strncmp(m_data.szTip, tip.c_str(), sizeof(m_data.szTip) - 1) == 0) return;
  lstrcpynA(m_data.szTip, tip.c_str(), sizeof(m_data.szTip));
  m_data.uFlags = NIF_TIP;
  Shell_NotifyIconA(NIM_MODIFY, &m_data);
}

void CNotifyIcon::Remove() {
  if (!m_added) return;
  m_data.uFlags = 0;
  Shell_NotifyIconA(NIM_DELETE, &m_data);
  m_added = false;
}

CNotifyIcon::Event CNotifyIcon::EventOf(LPARAM lParam) const {
  const UINT message = static_cast<UINT>(lParam);
  if (m_keyboard) {
    if (message == WM_CONTEXTMENU) return Event::kMenu;
    if (message == NIN_SELECT || message == NIN_KEYSELECT) return Event::kChoose;
    return Event::kNone;
  }
  if (message == WM_RBUTTONUP) return Event::kMenu;
  if (message == WM_LBUTTONUP) return Event::kChoose;
  return Event::kNone;
}

}  // namespace fw
