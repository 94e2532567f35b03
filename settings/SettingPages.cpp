#include "settings/SettingPages.h"

#include <commctrl.h>

#include "core/settings_rules.h"
#include "settings/FolderTree.h"
#include "settings/ScreenSaverFile.h"

namespace {

std::string EditText(HWND page, UINT id) {
  fw::CWnd edit;
  edit.m_hWnd = GetDlgItem(page, static_cast<int>(id));
  return edit.GetWindowText();
}

// The integer value of an edit: text that is not a whole decimal number is 0
// (the dialog manager's own reading takes "3x" as 3 on some systems).
int EditInt(HWND page, UINT id) { return core::EditInteger(EditText(page, id)); }

// An arrow of an up-down control without a buddy: the value takes the step,
// the control is turned the other way, and the edit shows the value (its
// change notification reads it back).  The answer 0 lets the control go on.
void SpinValue(HWND page, NMHDR* header, int& value, UINT editId, LRESULT& result) {
  NMUPDOWN& spin = *reinterpret_cast<NMUPDOWN*>(header);
  const int proposed = spin.iDelta;
  spin.iDelta = -proposed;
  value = core::SpinStep(value, proposed);
  SetDlgItemInt(page, static_cast<int>(editId), static_cast<UINT>(value), TRUE);
  result = 0;
}

bool IsSpin(NMHDR* header, UINT id) {
  return header && header->idFrom == id && header->code == UDN_DELTAPOS;
}

}  // namespace

// ---- virtual screen ---------------------------------------------------------

CDesktopSettingPropertyPage::CDesktopSettingPropertyPage(const core::SettingValues& values)
    : fw::CPropertyPage(IDD),
      m_nHeight(values.height),
      m_nWidth(values.width),
      m_bMoveAuto(core::NormaliseFlag(values.moveAuto)),
      m_bFineFirst(core::NormaliseFlag(values.fineFirst)),
      m_bMoveDesktopIcons(core::NormaliseFlag(values.moveDesktopIcons)) {}

BOOL CDesktopSettingPropertyPage::OnInitDialog() {
  fw::CPropertyPage::OnInitDialog();
  // Set as copies first: the edits' change notifications read them back.
  const int height = m_nHeight, width = m_nWidth;
  SetDlgItemInt(m_hWnd, IDC_HEIGHT_EDIT, static_cast<UINT>(height), TRUE);
  SetDlgItemInt(m_hWnd, IDC_WIDTH_EDIT, static_cast<UINT>(width), TRUE);
  const struct {
    int flag;
    int box;
  } kBoxes[] = {{m_bMoveAuto, IDC_MOVE_AUTO},
                {m_bFineFirst, IDC_FINE_FIRST},
                {m_bMoveDesktopIcons, IDC_MOVE_DESKTOP_ICONS}};
  for (const auto& box : kBoxes)
    if (box.flag) SendDlgItemMessageA(m_hWnd, box.box, BM_SETCHECK, BST_CHECKED, 0);
  return TRUE;
}

bool CDesktopSettingPropertyPage::OnCommand(UINT id, UINT code, HWND control) {
  if (code == EN_CHANGE && id == IDC_HEIGHT_EDIT) {
    m_nHeight = EditInt(m_hWnd, id);
  } else if (code == EN_CHANGE && id == IDC_WIDTH_EDIT) {
    m_nWidth = EditInt(m_hWnd, id);
  } else if (code == BN_CLICKED && id == IDC_MOVE_AUTO) {
    m_bMoveAuto ^= 1;
  } else if (code == BN_CLICKED && id == IDC_FINE_FIRST) {
    m_bFineFirst ^= 1;
  } else if (code == BN_CLICKED && id == IDC_MOVE_DESKTOP_ICONS) {
    m_bMoveDesktopIcons ^= 1;
  } else {
    return fw::CPropertyPage::OnCommand(id, code, control);
  }
  return true;
}

bool CDesktopSettingPropertyPage::OnNotify(UINT id, NMHDR* header, LRESULT& result) {
  if (IsSpin(header, IDC_HEIGHT_SPIN)) {
    SpinValue(m_hWnd, header, m_nHeight, IDC_HEIGHT_EDIT, result);
    return true;
  }
  if (IsSpin(header, IDC_WIDTH_SPIN)) {
    SpinValue(m_hWnd, header, m_nWidth, IDC_WIDTH_EDIT, result);
    return true;
  }
  return fw::CPropertyPage::OnNotify(id, header, result);
}

// ---- design -----------------------------------------------------------------

namespace {
const char kLarge[] = "Large";
const char kSmall[] = "Small";
}  // namespace

CDesignSettingPropertyPage::CDesignSettingPropertyPage(const core::SettingValues& values)
    : fw::CPropertyPage(IDD),
      m_strDesktopIcon(values.desktopIcon),
      m_strScreenSaver(values.screenSaver) {}

BOOL CDesignSettingPropertyPage::OnInitDialog() {
  fw::CPropertyPage::OnInitDialog();
  // Only "Small" exactly shows small icons; any other text shows the large
  // ones but stays as it is until a button is clicked.
  const int radio = m_strDesktopIcon == kSmall ? IDC_SMALL_ICONS : IDC_LARGE_ICONS;
  SendDlgItemMessageA(m_hWnd, radio, BM_SETCHECK, BST_CHECKED, 0);
  const std::string saver = m_strScreenSaver;
  SetDlgItemTextA(m_hWnd, IDC_SCREEN_SAVER_EDIT, saver.c_str());
  return TRUE;
}

bool CDesignSettingPropertyPage::OnCommand(UINT id, UINT code, HWND control) {
  if (code == BN_CLICKED && id == IDC_LARGE_ICONS) {
    m_strDesktopIcon = kLarge;
  } else if (code == BN_CLICKED && id == IDC_SMALL_ICONS) {
    m_strDesktopIcon = kSmall;
  } else if (code == EN_CHANGE && id == IDC_SCREEN_SAVER_EDIT) {
    m_strScreenSaver = EditText(m_hWnd, id);
  } else if (code == BN_CLICKED && id == IDC_SCREEN_SAVER_BROWSE) {
    std::string path;
    if (ChooseScreenSaverFile(m_hWnd, path)) {
      m_strScreenSaver = path;
      SetDlgItemTextA(m_hWnd, IDC_SCREEN_SAVER_EDIT, path.c_str());
    }
  } else {
    return fw::CPropertyPage::OnCommand(id, code, control);
  }
  return true;
}

// ---- wallpaper --------------------------------------------------------------

CWallPaperSettingPropertyPage::CWallPaperSettingPropertyPage(const core::SettingValues& values)
    : fw::CPropertyPage(IDD),
      m_strDirectory(values.wallPaperDirectory),
      m_nInterval(values.wallPaperInterval),
      m_bOn(values.wallPaperOn ? 1 : 0) {}

BOOL CWallPaperSettingPropertyPage::OnInitDialog() {
  fw::CPropertyPage::OnInitDialog();
  const std::string directory = m_strDirectory;
  const int interval = m_nInterval;
  SetDlgItemTextA(m_hWnd, IDC_WALLPAPER_DIR_EDIT, directory.c_str());
  SetDlgItemInt(m_hWnd, IDC_INTERVAL_EDIT, static_cast<UINT>(interval), TRUE);
  CheckDlgButton(m_hWnd, IDC_WALLPAPER_ON, m_bOn ? BST_CHECKED : BST_UNCHECKED);
  return TRUE;
}

bool CWallPaperSettingPropertyPage::OnCommand(UINT id, UINT code, HWND control) {
  if (code == EN_CHANGE && id == IDC_WALLPAPER_DIR_EDIT) {
    m_strDirectory = EditText(m_hWnd, id);
  } else if (code == EN_CHANGE && id == IDC_INTERVAL_EDIT) {
    m_nInterval = EditInt(m_hWnd, id);
  } else if (code == BN_CLICKED && id == IDC_WALLPAPER_ON) {
    m_bOn = IsDlgButtonChecked(m_hWnd, IDC_WALLPAPER_ON) == BST_CHECKED;
  } else if (code == BN_CLICKED && id == IDC_WALLPAPER_DIR_BROWSE) {
    ChooseDirectory();
  } else {
    return fw::CPropertyPage::OnCommand(id, code, control);
  }
  return true;
}

bool CWallPaperSettingPropertyPage::OnNotify(UINT id, NMHDR* header, LRESULT& result) {
  if (IsSpin(header, IDC_INTERVAL_SPIN)) {
    SpinValue(m_hWnd, header, m_nInterval, IDC_INTERVAL_EDIT, result);
    return true;
  }
  return fw::CPropertyPage::OnNotify(id, header, result);
}

void CWallPaperSettingPropertyPage::ChooseDirectory() {
  // Owned by the sheet, which stays disabled while the folder is chosen.
  fw::CWnd sheet;
  sheet.m_hWnd = GetParent(m_hWnd);
  CWallPaperDirDialog dialog(&sheet);
  if (dialog.DoModal() != IDOK) return;
  // No folder selected gives the empty text, as the user left it.
  m_strDirectory = dialog.m_wndTree.m_strPath;
  const std::string directory = m_strDirectory;
  SetDlgItemTextA(m_hWnd, IDC_WALLPAPER_DIR_EDIT, directory.c_str());
}
