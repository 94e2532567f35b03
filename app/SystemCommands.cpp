// The commands of the main window's system menu.
#include <string>

#include "app/QovDesktopApp.h"
#include "app/QovDesktopDialog.h"
#include "app/ScreenSaver.h"
#include "app/settings_names.h"
#include "core/closefilter.h"
#include "resdisplay/ResourceDialog.h"

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
