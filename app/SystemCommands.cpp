// The commands of the main window's system menu.
#include <string>

#include "app/QovDesktopApp.h"
#include "app/QovDesktopDialog.h"
#include "app/ScreenSaver.h"
#include "app/WallPaper.h"
#include "app/settings_names.h"
#include "core/closefilter.h"
#include "core/settings_rules.h"
#include "core/settings_sheet.h"
#include "fw/display.h"
#include "resdisplay/ResourceDialog.h"
#include "settings/SettingPages.h"

namespace {

// One top-level window for a close command; `selector` says which windows
// the command closes.  WM_CLOSE is posted, never sent: the command must not
// wait on another program, which may ask its user first or refuse.
BOOL CALLBACK CloseWindowProc(HWND window, LPARAM selector) {
  if (!window) return TRUE;
  char className[256] = "";
  char text[256] = "";
  GetClassNameA(window, className, sizeof(className));
  GetWindowTextA(window, text, sizeof(text));
  const bool visible = (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0;
  if (core::ShouldCloseWindow(static_cast<long>(selector), className, text, visible))
    PostMessageA(window, WM_CLOSE, 0, 0);
  return TRUE;
}

void CloseWindows(core::CloseSelector selector) { EnumWindows(CloseWindowProc, selector); }

}  // namespace

bool CQovDesktopDialog::OnSysCommand(UINT id) {
  if ((id & 0xFFF0) == ID_SYS_ABOUT) {
    fw::CDialog about(IDD_ABOUTBOX, this);
    about.DoModal();
  }
  switch (id) {
    case ID_SYS_SETTINGS:
      OnSettings();
      break;
    case ID_SYS_JUMP:
      JumpToRecordedWindow();
      break;
    case ID_SYS_RESOURCES: {
      CResourceDialog resources(this);
      resources.DoModal();
      break;
    }
    case ID_SYS_SCREENSAVER:
      OnScreenSaver();
      break;
    case ID_SYS_CLOSE_FOLDERS:
      CloseWindows(core::CLOSE_FOLDERS);
      break;
    case ID_SYS_CLOSE_BROWSERS:
      CloseWindows(core::CLOSE_BROWSERS);
      break;
    case ID_SYS_CLOSE_ALL:
      CloseWindows(core::CLOSE_APPLICATIONS);
      return true;
  }
  // The default processing carries out the standard commands (SC_CLOSE and
  // the rest) and ignores the program's own.
  return false;
}

void CQovDesktopDialog::OnScreenSaver() {
  const CQovDesktopApp* app = QovApp();
  std::string path =
      app->ReadStringSetting(settings::kSetting, settings::kScreenSaver, std::string());
  if (!path.empty()) {
    StartScreenSaver(m_hWnd, path);
    return;
  }
  // The first time, ask; the file chosen is started at once and kept, so
  // that later commands start it without asking.
  if (!ChooseScreenSaverFile(m_hWnd, path)) return;
  StartScreenSaver(m_hWnd, path);
  app->WriteStringSetting(settings::kSetting, settings::kScreenSaver, path);
}

void CQovDesktopDialog::OnSettings() {
  const CQovDesktopApp* app = QovApp();
  core::SettingValues values;
  values.height = m_nHeight;
  values.width = m_nWidth;
  values.moveAuto = m_bMoveAuto;
  values.fineFirst = m_bFineFirst;
  values.moveDesktopIcons = app->ReadIntSetting(settings::kSetting, settings::kMoveDesktopIcons, 0);
  values.desktopIcon = app->ReadStringSetting(settings::kSetting, settings::kDesktopIcon, "Large");
  values.screenSaver = app->ReadStringSetting(settings::kSetting, settings::kScreenSaver, "");
  values.wallPaperDirectory = ReadWallPaperDirectory();
  values.wallPaperInterval = m_nWallPaperInterval;
  fw::CPropertySheet sheet("設定", this);
  CDesktopSettingPropertyPage desktop(values);
  CDesignSettingPropertyPage design(values);
  CWallPaperSettingPropertyPage wallPaper(values);
  sheet.AddPage(&desktop);
  sheet.AddPage(&design);
  sheet.AddPage(&wallPaper);
  if (sheet.DoModal() != IDOK) return;

  // Typed counts are taken as typed by the page; what is stored and applied
  // is a count the virtual screen can have: one screen at least, and no more
  // than a 16-bit scroll position reaches with the page of the monitors.
  const core::Rect page = core::PageOf(fw::Monitors());
  m_nHeight = core::ClampScreenCount(desktop.m_nHeight, page.bottom - page.top);
  m_nWidth = core::ClampScreenCount(desktop.m_nWidth, page.right - page.left);
  app->WriteIntSetting(settings::kScreen, settings::kHeight, m_nHeight);
  app->WriteIntSetting(settings::kScreen, settings::kWidth, m_nWidth);
  m_bMoveAuto = desktop.m_bMoveAuto;
  app->WriteIntSetting(settings::kSetting, settings::kMoveAuto, m_bMoveAuto);
  m_bFineFirst = desktop.m_bFineFirst;
  app->WriteIntSetting(settings::kSetting, settings::kFineFirst, m_bFineFirst);
  // Written before the hook goes in again: the hook reads it to apply it.
  app->WriteStringSetting(settings::kSetting, settings::kDesktopIcon, design.m_strDesktopIcon);
  InstallDesktopHook();
  app->WriteStringSetting(settings::kSetting, settings::kScreenSaver, design.m_strScreenSaver);
  // An emptied directory is stored empty and, as at the next start, stands
  // for the Windows directory: the rotation never searches the current one.
  m_strWallPaperDirectory = WallPaperDirectoryOrWindows(wallPaper.m_strDirectory);
  app->WriteStringSetting(settings::kSetting, settings::kWallPaperDirectory,
                          wallPaper.m_strDirectory);
  m_wndVerticalBar.SetFineFirst(m_bFineFirst);
  m_wndHorizontalBar.SetFineFirst(m_bFineFirst);
  m_wndVerticalBar.SetMoveDesktopIcons(desktop.m_bMoveDesktopIcons);
  m_wndHorizontalBar.SetMoveDesktopIcons(desktop.m_bMoveDesktopIcons);
  app->WriteIntSetting(settings::kSetting, settings::kMoveDesktopIcons,
                       desktop.m_bMoveDesktopIcons);
  // A typed 0 or a non-number would make a timer that never rests.
  m_nWallPaperInterval = core::ClampWallPaperInterval(wallPaper.m_nInterval);
  app->WriteIntSetting(settings::kSetting, settings::kWallPaperInterval, m_nWallPaperInterval);
  KillTimer(m_hWnd, kWallPaperTimer);
  StartWallPaperTimer();

  MessageBoxA(m_hWnd, "設定は次回の「Qovデスクトップ」の起動時から有効になります。",
              "Qovデスクトップ", MB_OK);
}
