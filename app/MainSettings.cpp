// The main window's settings: the sheet that changes them, and what the
// start reads of them, registers and tells.
#include "app/QovDesktopApp.h"
#include "app/QovDesktopDialog.h"
#include "app/StartWithWindows.h"
#include "app/WallPaper.h"
#include "app/settings_names.h"
#include "core/settings_rules.h"
#include "core/settings_sheet.h"
#include "core/viewkeys.h"
#include "fw/display.h"
#include "fw/lang.h"
#include "fw/propsheet.h"
#include "fw/sysfunc.h"
#include "settings/OtherPage.h"
#include "settings/SettingPages.h"
#include "settings/ViewKeysPage.h"
#include "vscreen/Gather.h"
#include "vscreen/Pins.h"

void CQovDesktopDialog::Settings() {
  // Asked for again while it is open (from the command line): the open
  // sheet, or what it shows over it, comes to the front.
  if (m_bSettingsOpen) {
    SetForegroundWindow(GetLastActivePopup(m_hWnd));
    return;
  }
  OnSettings();
}

void CQovDesktopDialog::ApplyReach() {
  const CQovDesktopApp* app = QovApp();
  m_bNotifyIcon = core::NormaliseFlag(app->ReadIntSetting(settings::kSetting, settings::kNotifyIcon, 1));
  m_nEdgePush = core::ClampEdgePush(app->ReadIntSetting(settings::kSetting, settings::kEdgePush, 0));
  m_bEdgePushDragging = core::NormaliseFlag(
      app->ReadIntSetting(settings::kSetting, settings::kEdgePushDragging, 0));
  m_bPageIndicator =
      core::NormaliseFlag(app->ReadIntSetting(settings::kSetting, settings::kPageIndicator, 1));
  if (!m_bNotifyIcon)
    m_notifyIcon.Remove();
  else if (!m_notifyIcon.Added())
    m_notifyIcon.Add(m_hWnd, 1, WM_NOTIFY_ICON, m_hSmallIcon ? m_hSmallIcon : m_hIcon, IconTip());
  m_edgePush.Start(m_hWnd, kEdgePushTimer, m_nEdgePush, m_bEdgePushDragging != 0);
}

void CQovDesktopDialog::StartViewKeys() {
  const std::wstring pinned = QovApp()->ReadWideSetting(settings::kSetting, settings::kPinnedPrograms);
  pins::SetPrograms(core::SplitProgramNames(std::u16string(pinned.begin(), pinned.end())));
  BringPinnedOntoScreen(m_wndHorizontalBar, m_wndVerticalBar);
  m_nTakenViewKeys = m_viewKeys.Register(m_hWnd, *QovApp());
}

void CQovDesktopDialog::NoticeTakenKeys() {
  // Said once for each registration: which keys another program holds.
  if (m_nTakenViewKeys == 0) return;
  std::string text = fw::UiString(IDS_KEYS_TAKEN_NOTICE);
  for (int c = 0; c < core::kViewKeyCount; ++c)
    if (m_viewKeys.Taken(c)) text += "\n" + fw::UiString(IDS_VIEWKEY_NAME_FIRST + c);
  MessageBoxA(m_hWnd, text.c_str(), fw::UiString(IDS_APP_TITLE).c_str(), MB_OK | MB_ICONINFORMATION);
}

void CQovDesktopDialog::OnStartNotices() {
  NoticeTakenKeys();
  // The 32-bit package on 64-bit Windows reaches only 32-bit programs: said
  // once, then never again.
  const auto isWow64 =
      fw::SystemFunction<BOOL WINAPI(HANDLE, PBOOL)>("kernel32.dll", "IsWow64Process");
  BOOL wow64 = FALSE;
  CQovDesktopApp* app = QovApp();
  if (!isWow64 || !isWow64(GetCurrentProcess(), &wow64) || !wow64 ||
      app->ReadIntSetting(settings::kSetting, settings::kToldWow64, 0) != 0)
    return;
  app->WriteIntSetting(settings::kSetting, settings::kToldWow64, 1);
  MessageBoxA(m_hWnd, fw::UiString(IDS_WOW64_NOTICE).c_str(), fw::UiString(IDS_APP_TITLE).c_str(),
              MB_OK | MB_ICONINFORMATION);
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
  values.wallPaperOn = m_bWallPaperOn;
  values.notifyIcon = m_bNotifyIcon;
  values.startWithWindows = startup::IsOn();
  values.edgePush = m_nEdgePush;
  values.edgePushDragging = m_bEdgePushDragging;
  values.pageIndicator = m_bPageIndicator;
  fw::CPropertySheet sheet(fw::UiString(IDS_SETTINGS_CAPTION), this);
  CDesktopSettingPropertyPage desktop(values);
  CDesignSettingPropertyPage design(values);
  CWallPaperSettingPropertyPage wallPaper(values);
  sheet.AddPage(&desktop);
  sheet.AddPage(&design);
  sheet.AddPage(&wallPaper);
  core::HotKey keys[core::kViewKeyCount];
  bool taken[core::kViewKeyCount];
  for (int c = 0; c < core::kViewKeyCount; ++c) {
    keys[c] = m_viewKeys.Key(c);
    taken[c] = m_viewKeys.Taken(c);
  }
  CViewKeysSettingPropertyPage viewKeys(
      keys, taken, app->ReadWideSetting(settings::kSetting, settings::kPinnedPrograms));
  sheet.AddPage(&viewKeys);
  COtherSettingPropertyPage other(values);
  sheet.AddPage(&other);
  // While the sheet is open, a key of the view typed into the keys page is
  // taken there, not carried out; the keys are registered again after it.
  m_viewKeys.Unregister(m_hWnd);
  m_bSettingsOpen = true;
  const INT_PTR chosen = sheet.DoModal();
  m_bSettingsOpen = false;
  if (chosen != IDOK) {
    m_nTakenViewKeys = m_viewKeys.Register(m_hWnd, *app);
    return;
  }

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
  m_bWallPaperOn = wallPaper.m_bOn;
  app->WriteIntSetting(settings::kSetting, settings::kWallPaperRotation, m_bWallPaperOn);
  StartWallPaperTimer();

  for (int c = 0; c < core::kViewKeyCount; ++c)
    app->WriteIntSetting(settings::kHotKeys, core::kViewKeyNames[c],
                         static_cast<int>(core::ValueFromHotKey(viewKeys.m_keys[c])));
  app->WriteWideSetting(settings::kSetting, settings::kPinnedPrograms,
                        viewKeys.m_strPinnedPrograms);
  m_bNotifyIcon = other.m_bNotifyIcon;
  app->WriteIntSetting(settings::kSetting, settings::kNotifyIcon, m_bNotifyIcon);
  m_nEdgePush = other.m_nEdgePush;
  app->WriteIntSetting(settings::kSetting, settings::kEdgePush, m_nEdgePush);
  m_bEdgePushDragging = other.m_bEdgePushDragging;
  app->WriteIntSetting(settings::kSetting, settings::kEdgePushDragging, m_bEdgePushDragging);
  m_bPageIndicator = other.m_bPageIndicator;
  app->WriteIntSetting(settings::kSetting, settings::kPageIndicator, m_bPageIndicator);
  // Written again whenever the box is ticked: a program moved since is put right.
  startup::Set(other.m_bStartWithWindows != 0);
  ApplyReach();
  StartViewKeys();
  NoticeTakenKeys();

  MessageBoxA(m_hWnd, fw::UiString(IDS_SETTINGS_NOTICE).c_str(),
              fw::UiString(IDS_APP_TITLE).c_str(), MB_OK);
}
