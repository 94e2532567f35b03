// The program's commands: one table that the system menu, the icon's menu,
// the view's hot keys and the command line all reach, and the one menu that
// both menus show.  It needs nothing of the main window but CCommandHost.
#pragma once
#include <windows.h>

#include <string>

#include "core/remote.h"

namespace fw {
class CDialog;
}
class CEdgeBar;
class COverview;

// What the commands need of the main window.
class CCommandHost {
 public:
  // The window that owns the program's dialogs and menus.
  virtual fw::CDialog& MainWindow() = 0;
  virtual CEdgeBar& Bar(bool horizontal) = 0;
  virtual COverview& Overview() = 0;
  // Brings the last window that became active into view.
  virtual void Jump() = 0;
  // The settings sheet, or the open one to the front.
  virtual void Settings() = 0;
  // The view moved, or a window was pinned, by the user's command: where
  // the view is, with `note` under it when not empty.
  virtual void ShowPage(const std::wstring& note) = 0;

 protected:
  ~CCommandHost() = default;
};

namespace commands {

// Appends the program's menu to the empty `menu`: its exit item (with the
// id of the standard close command), the "Close" popup, the commands and
// the about box, the same ids and texts in the system menu and the icon's.
void FillMenu(HMENU menu);

// Runs command `id`, a menu item's id or one of the ID_CMD_ ids;
// `argument` is the page of ID_CMD_PAGE_AT.  False for an id that is none
// of the program's (the standard system commands, left to Windows).
bool Run(CCommandHost& host, UINT id, LPARAM argument = 0);

// The command of a key of the view (core::ViewKey).
UINT OfViewKey(int viewKey);

// The command and argument that a command line asks for; false for none.
bool OfRemote(const core::RemoteCommand& remote, UINT& id, LPARAM& argument);

}  // namespace commands
