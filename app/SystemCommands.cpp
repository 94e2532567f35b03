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
#include "fw/lang.h"
#include "fw/sysfunc.h"
#include "resdisplay/ResourceDialog.h"
#include "settings/SettingPages.h"
#include "settings/ViewKeysPage.h"
#include "vscreen/Gather.h"
#include "vscreen/ViewWindows.h"

namespace {

// DwmGetWindowAttribute, from Windows Vista on: loaded when there.
using GetWindowAttributeFunction = HRESULT(WINAPI*)(HWND, DWORD, void*, DWORD);
const DWORD kDwmCloaked = 14;        // DWMWA_CLOAKED
const DWORD kDwmCloakedShell = 0x2;  // DWM_CLOAKED_SHELL

struct CloseRun {
  core::CloseSelector selector;
  GetWindowAttributeFunction windowAttribute;
};

// Windows 10 and later keep Start, Search and the like as titled windows
// that the shell has cloaked: they are the shell's, not a program's.
bool CloakedByShell(const CloseRun& run, HWND window) {
  DWORD cloaked = 0;
  return run.windowAttribute &&
         SUCCEEDED(run.windowAttribute(window, kDwmCloaked, &cloaked, sizeof(cloaked))) &&
         (cloaked & kDwmCloakedShell) != 0;
}

// One top-level window for a close command.  WM_CLOSE is posted, never
// sent: the command must not wait on another program, which may ask its
// user first or refuse.
BOOL CALLBACK CloseWindowProc(HWND window, LPARAM data) {
  if (!window) return TRUE;
  const CloseRun& run = *reinterpret_cast<const CloseRun*>(data);
  char className[256] = "";
  char text[256] = "";
  GetClassNameA(window, className, sizeof(className));
  GetWindowTextA(window, text, sizeof(text));
  core::CloseCandidate candidate;
  candidate.className = className;
  candidate.title = text;
  candidate.visible = (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0;
  candidate.ours = OfThisPackage(window, className);
  candidate.cloaked = !candidate.ours && CloakedByShell(run, window);
  if (core::ShouldCloseWindow(run.selector, candidate)) PostMessageA(window, WM_CLOSE, 0, 0);
  return TRUE;
}

void CloseWindows(core::CloseSelector selector) {
  // Windows XP has no dwmapi.dll.
  CloseRun run = {selector, fw::SystemFunction<HRESULT WINAPI(HWND, DWORD, void*, DWORD)>(
                                "dwmapi.dll", "DwmGetWindowAttribute")};
  EnumWindows(CloseWindowProc, reinterpret_cast<LPARAM>(&run));
}

}  // namespace

bool CQovDesktopDialog::OnCommand(UINT id, UINT code, HWND control) {
  const bool menuItem =
      id == ID_SYS_ABOUT || (id >= ID_SYS_SETTINGS && id <= ID_SYS_OVERVIEW);
  if (!control && code == 0 && menuItem) {
    OnSysCommand(id);
    return true;
  }
  return fw::CDialog::OnCommand(id, code, control);
}

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
    case ID_SYS_GATHER:
      GatherWindows(m_wndHorizontalBar, m_wndVerticalBar);
      return true;
    case ID_SYS_OVERVIEW:
      m_overview.Open(this);
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
  values.wallPaperOn = m_bWallPaperOn;
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
  // While the sheet is open, a key of the view typed into the keys page is
  // taken there, not carried out; the keys are registered again after it.
  m_viewKeys.Unregister(m_hWnd);
  if (sheet.DoModal() != IDOK) {
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
  StartViewKeys();
  NoticeTakenKeys();

  MessageBoxA(m_hWnd, fw::UiString(IDS_SETTINGS_NOTICE).c_str(),
              fw::UiString(IDS_APP_TITLE).c_str(), MB_OK);
}
