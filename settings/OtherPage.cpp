#include "settings/OtherPage.h"

#include <algorithm>

#include "core/settings_rules.h"

COtherSettingPropertyPage::COtherSettingPropertyPage(const core::SettingValues& values)
    : fw::CPropertyPage(IDD),
      m_bNotifyIcon(core::NormaliseFlag(values.notifyIcon)),
      m_bStartWithWindows(core::NormaliseFlag(values.startWithWindows)),
      m_nEdgePush(core::ClampEdgePush(values.edgePush)),
      m_bEdgePushDragging(core::NormaliseFlag(values.edgePushDragging)),
      m_bPageIndicator(core::NormaliseFlag(values.pageIndicator)) {}

BOOL COtherSettingPropertyPage::OnInitDialog() {
  fw::CPropertyPage::OnInitDialog();
  const struct {
    int flag;
    int box;
  } kBoxes[] = {{m_bNotifyIcon, IDC_NOTIFY_ICON},
                {m_bStartWithWindows, IDC_START_WITH_WINDOWS},
                {m_nEdgePush > 0, IDC_EDGE_PUSH},
                {m_bEdgePushDragging, IDC_EDGE_PUSH_DRAGGING},
                {m_bPageIndicator, IDC_PAGE_INDICATOR}};
  for (const auto& box : kBoxes)
    CheckDlgButton(m_hWnd, box.box, box.flag ? BST_CHECKED : BST_UNCHECKED);
  if (m_nEdgePush > 0) SetDlgItemInt(m_hWnd, IDC_EDGE_PUSH_TIME, static_cast<UINT>(m_nEdgePush), FALSE);
  EnableWindow(GetDlgItem(m_hWnd, IDC_EDGE_PUSH_TIME), m_nEdgePush > 0);
  EnableWindow(GetDlgItem(m_hWnd, IDC_EDGE_PUSH_DRAGGING), m_nEdgePush > 0);
  m_bInitialised = true;
  return TRUE;
}

void COtherSettingPropertyPage::ReadEdgePush() {
  if (IsDlgButtonChecked(m_hWnd, IDC_EDGE_PUSH) != BST_CHECKED) {
    m_nEdgePush = 0;
    return;
  }
  BOOL number = FALSE;
  const UINT typed = GetDlgItemInt(m_hWnd, IDC_EDGE_PUSH_TIME, &number, FALSE);
  // Ticked, the push is on whatever was typed: an empty or 0 time is the
  // shortest there is.
  m_nEdgePush = core::ClampEdgePush(number && typed > 0 ? static_cast<int>(std::min<UINT>(typed, 100000)) : 1);
}

bool COtherSettingPropertyPage::OnCommand(UINT id, UINT code, HWND control) {
  if (code == BN_CLICKED && id == IDC_EDGE_PUSH) {
    const bool on = IsDlgButtonChecked(m_hWnd, IDC_EDGE_PUSH) == BST_CHECKED;
    // Ticking it proposes a time that suits most hands.
    if (on && GetWindowTextLengthA(GetDlgItem(m_hWnd, IDC_EDGE_PUSH_TIME)) == 0)
      SetDlgItemInt(m_hWnd, IDC_EDGE_PUSH_TIME, core::kEdgePushProposed, FALSE);
    EnableWindow(GetDlgItem(m_hWnd, IDC_EDGE_PUSH_TIME), on);
    EnableWindow(GetDlgItem(m_hWnd, IDC_EDGE_PUSH_DRAGGING), on);
    ReadEdgePush();
  } else if (code == EN_CHANGE && id == IDC_EDGE_PUSH_TIME) {
    if (m_bInitialised) ReadEdgePush();
  } else if (code == BN_CLICKED && id == IDC_NOTIFY_ICON) {
    m_bNotifyIcon = IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED;
  } else if (code == BN_CLICKED && id == IDC_START_WITH_WINDOWS) {
    m_bStartWithWindows = IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED;
  } else if (code == BN_CLICKED && id == IDC_EDGE_PUSH_DRAGGING) {
    m_bEdgePushDragging = IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED;
  } else if (code == BN_CLICKED && id == IDC_PAGE_INDICATOR) {
    m_bPageIndicator = IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED;
  } else {
    return fw::CPropertyPage::OnCommand(id, code, control);
  }
  return true;
}
