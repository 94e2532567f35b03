#include "app/Commands.h"

#include "app/QovDesktopApp.h"
#include "app/ScreenSaver.h"
#include "app/settings_names.h"
#include "core/closefilter.h"
#include "core/viewkeys.h"
#include "fw/dialog.h"
#include "fw/lang.h"
#include "res/resource.h"
#include "resdisplay/ResourceDialog.h"
#include "settings/ScreenSaverFile.h"
#include "vscreen/EdgeBar.h"
#include "vscreen/Gather.h"
#include "vscreen/Overview.h"
#include "vscreen/Pins.h"
#include "vscreen/ViewWindows.h"

namespace commands {

namespace {

const DWORD kDwmCloakedShell = 0x2;  // DWM_CLOAKED_SHELL

struct CloseRun {
  core::CloseSelector selector;
  CViewWindows windows;
};

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
  // Windows 10 and later keep Start, Search and the like as titled windows
  // that the shell has cloaked: they are the shell's, not a program's.
  candidate.cloaked = !candidate.ours && (run.windows.Cloaked(window) & kDwmCloakedShell) != 0;
  if (core::ShouldCloseWindow(run.selector, candidate)) PostMessageA(window, WM_CLOSE, 0, 0);
  return TRUE;
}

void CloseWindows(core::CloseSelector selector) {
  CloseRun run = {selector, CViewWindows()};
  EnumWindows(CloseWindowProc, reinterpret_cast<LPARAM>(&run));
}

void RunScreenSaver(HWND owner) {
  const CQovDesktopApp* app = QovApp();
  std::string path = app->ReadStringSetting(settings::kSetting, settings::kScreenSaver, std::string());
  if (!path.empty()) {
    StartScreenSaver(owner, path);
    return;
  }
  // The first time, ask; the file chosen is started at once and kept, so
  // that later commands start it without asking.
  if (!ChooseScreenSaverFile(owner, path)) return;
  StartScreenSaver(owner, path);
  app->WriteStringSetting(settings::kSetting, settings::kScreenSaver, path);
}

// The active window pinned or unpinned, when it is a window of the view.
void PinActiveWindow(CCommandHost& host) {
  HWND active = GetForegroundWindow();
  if (!CViewWindows().OfTheView(active)) return;
  TogglePin(active, host.Bar(true), host.Bar(false));
  wchar_t title[200] = L"";
  GetWindowTextW(active, title, 200);
  const std::string said = fw::UiString(pins::IsPinned(active) ? IDS_PINNED : IDS_UNPINNED);
  wchar_t note[64] = L"";
  MultiByteToWideChar(CP_ACP, 0, said.c_str(), -1, note, 64);
  host.ShowPage(std::wstring(note) + L": " + title);
}

void GoToPage(CCommandHost& host, int col, int row) {
  CEdgeBar& h = host.Bar(true);
  CEdgeBar& v = host.Bar(false);
  h.HandleScroll(core::kThumbPosition, (col - 1) * h.m_nPageSize);
  v.HandleScroll(core::kThumbPosition, (row - 1) * v.m_nPageSize);
}

}  // namespace

void FillMenu(HMENU menu) {
  HMENU close = CreatePopupMenu();
  static const UINT kCloseCommands[][2] = {
      {ID_SYS_CLOSE_FOLDERS, IDS_MENU_CLOSE_FOLDERS},
      {ID_SYS_CLOSE_BROWSERS, IDS_MENU_CLOSE_BROWSERS},
      {ID_SYS_CLOSE_ALL, IDS_MENU_CLOSE_ALL},
  };
  for (const auto& item : kCloseCommands)
    AppendMenuA(close, MF_STRING, item[0], fw::UiString(item[1]).c_str());
  AppendMenuA(menu, MF_STRING, SC_CLOSE, fw::UiString(IDS_MENU_EXIT).c_str());
  // Owned by the menu from here on, and destroyed with it.
  if (close && !AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(close),
                            fw::UiString(IDS_MENU_CLOSE).c_str()))
    DestroyMenu(close);
  static const UINT kCommands[][2] = {
      {ID_SYS_SETTINGS, IDS_MENU_SETTINGS},   {ID_SYS_JUMP, IDS_MENU_JUMP},
      {ID_SYS_RESOURCES, IDS_MENU_RESOURCES}, {ID_SYS_SCREENSAVER, IDS_MENU_SCREENSAVER},
      {ID_SYS_OVERVIEW, IDS_MENU_OVERVIEW},   {ID_SYS_GATHER, IDS_MENU_GATHER},
  };
  for (const auto& item : kCommands)
    AppendMenuA(menu, MF_STRING, item[0], fw::UiString(item[1]).c_str());
  const std::string about = fw::UiString(IDS_ABOUTBOX);
  if (!about.empty()) {
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, ID_SYS_ABOUT, about.c_str());
  }
}

bool Run(CCommandHost& host, UINT id, LPARAM argument) {
  fw::CDialog& main = host.MainWindow();
  // The system reserves the low four bits of a system command's id.
  if ((id & 0xFFF0) == ID_SYS_ABOUT) {
    fw::CDialog about(IDD_ABOUTBOX, &main);
    about.DoModal();
    return true;
  }
  CEdgeBar& h = host.Bar(true);
  CEdgeBar& v = host.Bar(false);
  switch (id) {
    case ID_SYS_SETTINGS: host.Settings(); return true;
    case ID_SYS_JUMP: host.Jump(); return true;
    case ID_SYS_RESOURCES: {
      CResourceDialog resources(&main);
      resources.DoModal();
      return true;
    }
    case ID_SYS_SCREENSAVER: RunScreenSaver(main.m_hWnd); return true;
    case ID_SYS_CLOSE_FOLDERS: CloseWindows(core::CLOSE_FOLDERS); return true;
    case ID_SYS_CLOSE_BROWSERS: CloseWindows(core::CLOSE_BROWSERS); return true;
    case ID_SYS_CLOSE_ALL: CloseWindows(core::CLOSE_APPLICATIONS); return true;
    case ID_SYS_GATHER: GatherWindows(h, v); return true;
    case ID_SYS_OVERVIEW: host.Overview().Open(&main); return true;
    case ID_CMD_PIN: PinActiveWindow(host); return true;
    default: break;
  }
  // The view's moves: a page as a page click on a bar does, home, or a page
  // of its own; then where the view is shows.
  switch (id) {
    case ID_CMD_PAGE_LEFT: h.HandleScroll(SB_PAGELEFT, 0); break;
    case ID_CMD_PAGE_RIGHT: h.HandleScroll(SB_PAGERIGHT, 0); break;
    case ID_CMD_PAGE_UP: v.HandleScroll(SB_PAGEUP, 0); break;
    case ID_CMD_PAGE_DOWN: v.HandleScroll(SB_PAGEDOWN, 0); break;
    case ID_CMD_HOME:
      h.ScrollHome();
      v.ScrollHome();
      break;
    case ID_CMD_PAGE_AT: GoToPage(host, LOWORD(argument), HIWORD(argument)); break;
    default: return false;
  }
  host.ShowPage(std::wstring());
  return true;
}

UINT OfViewKey(int viewKey) {
  static const UINT kCommands[core::kViewKeyCount] = {
      ID_CMD_PAGE_LEFT, ID_CMD_PAGE_RIGHT, ID_CMD_PAGE_UP, ID_CMD_PAGE_DOWN,
      ID_CMD_HOME,      ID_SYS_OVERVIEW,   ID_CMD_PIN};
  return viewKey >= 0 && viewKey < core::kViewKeyCount ? kCommands[viewKey] : 0;
}

bool OfRemote(const core::RemoteCommand& remote, UINT& id, LPARAM& argument) {
  argument = 0;
  switch (remote.command) {
    case core::Remote::kOverview: id = ID_SYS_OVERVIEW; return true;
    case core::Remote::kGather: id = ID_SYS_GATHER; return true;
    case core::Remote::kPin: id = ID_CMD_PIN; return true;
    case core::Remote::kJump: id = ID_SYS_JUMP; return true;
    case core::Remote::kSettings: id = ID_SYS_SETTINGS; return true;
    case core::Remote::kExit: id = SC_CLOSE; return true;
    case core::Remote::kPage: break;
    default: return false;
  }
  static const UINT kMoves[] = {ID_CMD_PAGE_LEFT, ID_CMD_PAGE_RIGHT, ID_CMD_PAGE_UP,
                                ID_CMD_PAGE_DOWN, ID_CMD_HOME, ID_CMD_PAGE_AT};
  id = kMoves[static_cast<int>(remote.move)];
  if (remote.move == core::PageMove::kAt) argument = MAKELPARAM(remote.col, remote.row);
  return true;
}

}  // namespace commands
