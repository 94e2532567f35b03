// The hidden main window: system menu, timers, working copies of the settings.
#pragma once
#include <string>

#include "fw/dialog.h"
#include "fw/menu.h"
#include "app/ViewKeys.h"
#include "res/resource.h"
#include "vscreen/EdgeBar.h"
#include "vscreen/Overview.h"

class CQovDesktopDialog : public fw::CDialog {
 public:
  enum { IDD = IDD_QOVDESKTOP_DIALOG };
  enum : UINT_PTR { kFollowTimer = 1, kWallPaperTimer = 2 };
  enum : UINT { WM_START_NOTICES = WM_APP + 1 };
  // How long the end of the Windows session waits for other programs in all.
  static constexpr DWORD kSessionEndWaitMs = 1000;

  explicit CQovDesktopDialog(fw::CWnd* parent = nullptr);
  ~CQovDesktopDialog() override;

  CVerticalScrollDialog m_wndVerticalBar;
  CHorizontalScrollDialog m_wndHorizontalBar;
  // The map of the whole virtual screen, over the two bars.
  COverview m_overview{m_wndHorizontalBar, m_wndVerticalBar};
  // Working copies of the settings, given to the edge bars and settings pages.
  int m_nHeight;               // screens down
  int m_nWidth;                // screens across
  int m_bMoveAuto;             // 0 or 1
  // The last window that became active under a new title, for the jump: its
  // top-left corner from the primary monitor's.
  int m_nRecordedLeft = 0;
  int m_nRecordedTop = 0;
  std::string m_strLastActiveTitle;
  int m_bFineFirst;            // 0 or 1
  fw::CMenu m_menuClose;       // the "Close" popup of the system menu
  int m_nWallPaperIndex = 0;   // rotation position of the wallpaper last shown
  std::string m_strWallPaperDirectory;
  int m_nWallPaperInterval = 0;  // minutes, at least 1 once initialised
  int m_bWallPaperOn = 1;        // 0 or 1: timer 2 runs
  HICON m_hIcon;

  // (Re)starts timer 2 with the current wallpaper interval, or stops it
  // while the rotation is off.
  void StartWallPaperTimer();
  // Brings the recorded window's top-left corner to the screen's top-left.
  void JumpToRecordedWindow();
  // Records a window that newly became active; jumps to it when it is
  // maximised off the view, or always with "Move auto".
  void FollowActiveWindow();
  // Installs QOV32's desktop hook on the thread of the shell's desktop icon
  // window, which applies "Desktop icon"; nothing when there is no such window.
  void InstallDesktopHook();
  // Keeps the bars' view position where a later start finds it while the
  // view is away from the start, and nothing while it is at the start.
  void KeepViewPosition();
  // Scrolls both axes back to the start, so every window stands where the
  // next start expects it.
  void BringViewHome();
  // What the end of the program or of the Windows session does first: the
  // pinned windows come onto the screen, the others go home; the threads of
  // other programs are waited for at most `waitMs` in all.
  void EndView(DWORD waitMs);
  // The command of a hot key of the view (core::ViewKey).
  void OnViewKey(int command);

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  BOOL OnInitDialog() override;
  // Enter, Escape, the close command and Alt+F4 end here.
  void OnOK() override;
  void OnCancel() override;

 private:
  void BuildSystemMenu();
  void OnTaskbarCreated();
  void OnDisplayChange();
  void OnPaint();
  void OnSize();
  void OnTimer(UINT_PTR id);
  void OnDestroy();
  // System-menu commands (SystemCommands.cpp): true when the command must
  // not reach the default processing.
  bool OnSysCommand(UINT id);
  // The items of the "Close" popup come as WM_COMMAND where the system
  // sends a submenu's items that way (Wine): the same commands.
  bool OnCommand(UINT id, UINT code, HWND control) override;
  void OnScreenSaver();
  // The settings sheet; on OK every value is stored and applied.
  void OnSettings();

  // The view's hot keys and the pinned programs, read and registered.
  void StartViewKeys();
  // Tells the user which keys another program held at the registration.
  void NoticeTakenKeys();
  // What the start has to say, once the window is up: the taken keys, and
  // once ever, that a 32-bit build runs on 64-bit Windows.
  void OnStartNotices();

  CViewKeys m_viewKeys;
  int m_nTakenViewKeys = 0;  // keys another program held at the start
  HICON m_hSmallIcon;
  bool m_bViewKept = false;  // how far from home a killed run left the view
  int m_nKeptLeft = 0;
  int m_nKeptTop = 0;
};
