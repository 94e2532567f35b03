#include "settings/ViewKeysPage.h"

#include <commctrl.h>

#include <algorithm>

#include "fw/lang.h"

CViewKeysSettingPropertyPage::CViewKeysSettingPropertyPage(
    const core::HotKey (&keys)[core::kViewKeyCount], const bool (&taken)[core::kViewKeyCount],
    std::wstring pinned)
    : fw::CPropertyPage(IDD), m_strPinnedPrograms(std::move(pinned)) {
  for (int c = 0; c < core::kViewKeyCount; ++c) {
    m_keys[c] = keys[c];
    m_taken[c] = taken[c];
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
  const std::string takenText = fw::UiString(IDS_KEY_TAKEN);
  for (int c = 0; c < core::kViewKeyCount; ++c) {
    // Set as a copy first: the controls' change notifications read them back.
    const core::HotKey key = m_keys[c];
    SendDlgItemMessageA(m_hWnd, IDC_VIEWKEY_FIRST + c, HKM_SETHOTKEY, core::ControlFromHotKey(key), 0);
    if (key.modifiers & core::kModWin)
      SendDlgItemMessageA(m_hWnd, IDC_VIEWKEY_WIN_FIRST + c, BM_SETCHECK, BST_CHECKED, 0);
    if (m_taken[c]) SetDlgItemTextA(m_hWnd, IDC_VIEWKEY_TAKEN_FIRST + c, takenText.c_str());
  }
  // One name a line in the box.
  std::u16string lines;
  const std::u16string stored(m_strPinnedPrograms.begin(), m_strPinnedPrograms.end());
  for (const std::u16string& name : core::SplitProgramNames(stored))
    lines += (lines.empty() ? u"" : u"\r\n") + name;
  SetDlgItemTextW(m_hWnd, IDC_PINNED_PROGRAMS, reinterpret_cast<const wchar_t*>(lines.c_str()));
  return TRUE;
}

bool CViewKeysSettingPropertyPage::OnCommand(UINT id, UINT code, HWND control) {
  const int keyAt = static_cast<int>(id) - IDC_VIEWKEY_FIRST;
  const int winAt = static_cast<int>(id) - IDC_VIEWKEY_WIN_FIRST;
  if (code == EN_CHANGE && keyAt >= 0 && keyAt < core::kViewKeyCount) {
    m_keys[keyAt] = core::HotKeyFromControl(
        static_cast<unsigned>(SendMessageA(control, HKM_GETHOTKEY, 0, 0)),
        (m_keys[keyAt].modifiers & core::kModWin) != 0);
  } else if (code == BN_CLICKED && winAt >= 0 && winAt < core::kViewKeyCount) {
    m_keys[winAt].modifiers ^= core::kModWin;
  } else {
    return fw::CPropertyPage::OnCommand(id, code, control);
  }
  return true;
}
