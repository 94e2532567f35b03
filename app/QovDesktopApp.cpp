#include "app/QovDesktopApp.h"

#include <commctrl.h>

#include "app/QovDesktopDialog.h"
#include "app/Starter.h"
#include "app/settings_names.h"
#include "core/appname.h"
#include "core/remote.h"
#include "fw/lang.h"
#include "res/resource.h"

namespace {

// The name of the thread's desktop: one view per desktop.
std::string DesktopName() {
  char name[256] = "";
  DWORD needed = 0;
  if (!GetUserObjectInformationA(GetThreadDesktop(GetCurrentThreadId()), UOI_NAME, name,
                                 sizeof(name) - 1, &needed))
    return std::string();
  name[sizeof(name) - 1] = '\0';
  return name;
}

}  // namespace

bool CQovDesktopApp::ReadKeptView(int& left, int& top) const {
  const std::string section = core::ViewSectionName(DesktopName());
  return Profile().GetExistingInt(section.c_str(), settings::kViewLeft, left) &&
         Profile().GetExistingInt(section.c_str(), settings::kViewTop, top);
}

void CQovDesktopApp::KeepView(int left, int top) const {
  const std::string section = core::ViewSectionName(DesktopName());
  Profile().WriteVolatileInt(section.c_str(), settings::kViewLeft, left);
  Profile().WriteVolatileInt(section.c_str(), settings::kViewTop, top);
}

void CQovDesktopApp::ForgetView() const {
  Profile().DeleteSection(core::ViewSectionName(DesktopName()).c_str());
  // Gone too once no other desktop keeps a view (a key with keys below it
  // is not deleted).
  Profile().DeleteSection(settings::kView);
}

bool CQovDesktopApp::OnCommand(UINT id) {
  if (id != ID_HELP) return false;
  ShowHelp(fw::UiString(IDS_README_FILE));
  return true;
}

BOOL CQovDesktopApp::InitInstance() {
  // A start with a command hands it to the program already running on this
  // desktop, and never runs a view of its own.
  const core::RemoteCommand command = core::ParseArguments(core::ArgumentsOf(GetCommandLineA()));
  if (command.command != core::Remote::kNone) {
    m_nExitCode = RunStarter(command);
    return FALSE;
  }

  // A second view of the same desktop would move the same windows again and
  // nest its bars in the first's: a start while the program runs there,
  // under whatever file name, ends before it touches anything.
  SetLastError(ERROR_SUCCESS);
  HANDLE view = CreateMutexA(nullptr, FALSE, core::ViewLockName(DesktopName()).c_str());
  const DWORD error = GetLastError();
  if (error == ERROR_ALREADY_EXISTS || (!view && error == ERROR_ACCESS_DENIED)) {
    if (view) CloseHandle(view);
    return FALSE;
  }

  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  SetRegistryKey(settings::kCompanyKey);

  CQovDesktopDialog dialog;
  SetMainWnd(&dialog);
  dialog.DoModal();
  SetMainWnd(nullptr);
  if (view) CloseHandle(view);
  // The whole life of the program was the dialog: no message loop follows.
  return FALSE;
}
