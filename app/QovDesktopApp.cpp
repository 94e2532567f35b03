#include "app/QovDesktopApp.h"

#include <commctrl.h>

#include "app/QovDesktopDialog.h"
#include "app/settings_names.h"
#include "res/resource.h"

bool CQovDesktopApp::OnCommand(UINT id) {
  if (id != ID_HELP) return false;
  OnHelp();
  return true;
}

BOOL CQovDesktopApp::InitInstance() {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  SetRegistryKey(settings::kCompanyKey);

  CQovDesktopDialog dialog;
  SetMainWnd(&dialog);
  dialog.DoModal();
  SetMainWnd(nullptr);
  // The whole life of the program was the dialog: no message loop follows.
  return FALSE;
}
