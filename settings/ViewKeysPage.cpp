#include "settings/ViewKeysPage.h"

#include <commctrl.h>

#include <algorithm>

#include "fw/lang.h"

LRESULT CHotKeyCtrl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // The key state is the one of the message being handled.
  const bool control = GetKeyState(VK_CONTROL) < 0, alt = GetKeyState(VK_MENU) < 0;
  if (wParam == VK_SPACE && (control || alt)) {
    switch (message) {
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN: {
        const BYTE flags = static_cast<BYTE>((control ? HOTKEYF_CONTROL : 0) | (alt ? HOTKEYF_ALT : 0) |
                                             (GetKeyState(VK_SHIFT) < 0 ? HOTKEYF_SHIFT : 0));
        fw::CSubclassedCtrl::OnMessage(HKM_SETHOTKEY, MAKEWORD(VK_SPACE, flags), 0);
        // The page learns of it as of any key the control takes.
        SendMessageA(GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(m_hWnd), EN_CHANGE),
                     reinterpret_cast<LPARAM>(m_hWnd));
        return 0;
      }
      case WM_CHAR:
      case WM_SYSCHAR:
        // Its character, which would clear the control again or, with Alt,
        // open the sheet's window menu.
        return 0;
      default:
        break;
    }
  }
  return fw::CSubclassedCtrl::OnMessage(message, wParam, lParam);
}

CViewKeysSettingPropertyPage::CViewKeysSettingPropertyPage(
    const core::HotKey (&keys)[core::kViewKeyCount], const bool (&taken)[core::kViewKeyCount],
    std::wstring pinned)
    : fw::CPropertyPage(IDD), m_strPinnedPrograms(std::move(pinned)) {
  for (int c = 0; c < core::kViewKeyCount; ++c) {
    m_keys[c] = keys[c];
    m_taken[c] = taken[c];
    m_takenKeys[c] = keys[c];
  }
}

bool CViewKeysSettingPropertyPage::OnApply() {
  // Read when the sheet is accepted: a box of several lines tells no change
  // of text set from outside.  One name a line, stored with '|' between.
  // Through the UTF-16 calls: a file name may hold characters the code page has not.
  HWND edit = GetDlgItem(m_hWnd, IDC_PINNED_PROGRAMS);
  std::u16string lines(static_cast<size_t>(std::max(0, GetWindowTextLengthW(edit))) + 1, u'\0');
  lines.resize(static_cast<size_t>(
      GetWindowTextW(edit, reinterpret_cast<wchar_t*>(&lines[0]), static_cast<int>(lines.size()))));
  for (char16_t& c : lines)
    if (c == u'\r' || c == u'\n') c = u'|';
  std::u16string joined;
  for (const std::u16string& name : core::SplitProgramNames(lines))
    joined += (joined.empty() ? u"" : u"|") + name;
  m_strPinnedPrograms.assign(joined.begin(), joined.end());
  return true;
}

BOOL CViewKeysSettingPropertyPage::OnInitDialog() {
  fw::CPropertyPage::OnInitDialog();
  for (int c = 0; c < core::kViewKeyCount; ++c) {
    // Set as a copy first: the controls' change notifications read them back.
    const core::HotKey key = m_keys[c];
    m_keyControls[c].SubclassDlgItem(IDC_VIEWKEY_FIRST + c, m_hWnd);
    // A key typed without Ctrl or Alt (a bare key, or with Shift only) would
    // be taken from every program: it gets Ctrl+Alt.
    SendDlgItemMessageA(m_hWnd, IDC_VIEWKEY_FIRST + c, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S,
                        MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
    SendDlgItemMessageA(m_hWnd, IDC_VIEWKEY_FIRST + c, HKM_SETHOTKEY, core::ControlFromHotKey(key), 0);
    if (key.modifiers & core::kModWin)
      SendDlgItemMessageA(m_hWnd, IDC_VIEWKEY_WIN_FIRST + c, BM_SETCHECK, BST_CHECKED, 0);
  }
  ShowMarks();
  // One name a line in the box.
  std::u16string lines;
  const std::u16string stored(m_strPinnedPrograms.begin(), m_strPinnedPrograms.end());
  for (const std::u16string& name : core::SplitProgramNames(stored))
    lines += (lines.empty() ? u"" : u"\r\n") + name;
  SetDlgItemTextW(m_hWnd, IDC_PINNED_PROGRAMS, reinterpret_cast<const wchar_t*>(lines.c_str()));
  return TRUE;
}

void CViewKeysSettingPropertyPage::ShowMarks() {
  const std::string twice = fw::UiString(IDS_KEY_GIVEN_TWICE), taken = fw::UiString(IDS_KEY_TAKEN);
  for (int c = 0; c < core::kViewKeyCount; ++c) {
    const bool stillTaken = m_taken[c] && core::SameHotKey(m_keys[c], m_takenKeys[c]);
    const std::string& mark = core::KeyGivenTwice(m_keys, c) ? twice : stillTaken ? taken : std::string();
    SetDlgItemTextA(m_hWnd, IDC_VIEWKEY_TAKEN_FIRST + c, mark.c_str());
  }
}

bool CViewKeysSettingPropertyPage::OnCommand(UINT id, UINT code, HWND control) {
  const int keyAt = static_cast<int>(id) - IDC_VIEWKEY_FIRST;
  const int winAt = static_cast<int>(id) - IDC_VIEWKEY_WIN_FIRST;
  // The Win box decides the Win key, which the control does not take; while
  // only modifiers are down the control has no key, and the box keeps Win.
  if (code == EN_CHANGE && keyAt >= 0 && keyAt < core::kViewKeyCount) {
    m_keys[keyAt] = core::HotKeyFromControl(
        static_cast<unsigned>(SendMessageA(control, HKM_GETHOTKEY, 0, 0)),
        IsDlgButtonChecked(m_hWnd, IDC_VIEWKEY_WIN_FIRST + keyAt) == BST_CHECKED);
  } else if (code == BN_CLICKED && winAt >= 0 && winAt < core::kViewKeyCount) {
    core::HotKey& key = m_keys[winAt];
    if (IsDlgButtonChecked(m_hWnd, static_cast<int>(id)) == BST_CHECKED)
      key.modifiers |= core::kModWin;
    else
      key.modifiers &= ~core::kModWin;
  } else {
    return fw::CPropertyPage::OnCommand(id, code, control);
  }
  ShowMarks();
  return true;
}
