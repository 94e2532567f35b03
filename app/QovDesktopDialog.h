// The hidden main window: timers, working copies of the settings, and the
// ways the program is reached (its system menu, the notification-area icon,
// the view's hot keys, the command line's messages), which all run the
// commands of one table (app/Commands.h).
#pragma once
#include <string>

#include "app/Commands.h"
#include "app/ViewKeys.h"
#include "fw/dialog.h"
#include "fw/notifyicon.h"
#include "res/resource.h"
#include "vscreen/EdgeBar.h"
#include "vscreen/EdgePush.h"
#include "vscreen/Overview.h"
#include "vscreen/PageIndicator.h"

class CQovDesktopDialog : public fw::CDialog, public CCommandHost, public CEdgePush::Host {
 public:
  enum { IDD = IDD_QOVDESKTOP_DIALOG };
  // Timer 3 is the view keys' (CViewKeys::kHeldTimer).
  enum : UINT_PTR { kFollowTimer = 1, kWallPaperTimer = 2, kEdgePushTimer = 4 };
  enum : UINT {
    WM_START_NOTICES = WM_APP + 1,
    // A command to run: wParam its id, lParam its argument (commands::Run).
    WM_RUN_COMMAND = WM_APP + 2,
    // The notification-area icon's callback message.
    WM_NOTIFY_ICON = WM_APP + 3,
  };
  // How long the end of the Windows session waits for other programs in all.
  static constexpr DWORD kSessionEndWaitMs = 1000;

  explicit CQovDesktopDialog(fw::CWnd* parent = nullptr);
  ~CQovDesktopDialog() override;

  CVerticalScrollDialog m_wndVerticalBar;
  CHorizontalScrollDialog m_wndHorizontalBar;
  // The map of the whole virtual screen, over the two bars.
  COverview m_overview{m_wndHorizontalBar, m_wndVerticalBar};
  CPageIndicator m_indicator;
  fw::CNotifyIcon m_notifyIcon;
  CEdgePush m_edgePush{*this};
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
  int m_nWallPaperIndex = 0;   // rotation position of the wallpaper last shown
  std::string m_strWallPaperDirectory;
  int m_nWallPaperInterval = 0;  // minutes, at least 1 once initialised
  int m_bWallPaperOn = 1;        // 0 or 1: timer 2 runs
  int m_bNotifyIcon = 1;         // 0 or 1
  int m_nEdgePush = 0;           // milliseconds, 0 when off
  int m_bEdgePushDragging = 0;   // 0 or 1
  int m_bPageIndicator = 1;      // 0 or 1
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

  // CCommandHost
  fw::CDialog& MainWindow() override { return *this; }
  CEdgeBar& Bar(bool horizontal) override;
  COverview& Overview() override { return m_overview; }
  void Jump() override { JumpToRecordedWindow(); }
  void Settings() override;
  void ShowPage(const std::wstring& note) override;
  // CEdgePush::Host
  bool CanPage(core::Edge edge) override;
  void Page(core::Edge edge, HWND carried) override;

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
  // After every move of the view: kept for a later start, and told by the
  // icon's tip.
  void OnViewMoved();
  // The items of the "Close" popup come as WM_COMMAND where the system
  // sends a submenu's items that way (Wine): the same commands.
  bool OnCommand(UINT id, UINT code, HWND control) override;

  // The settings sheet (MainSettings.cpp); on OK every value is stored and
  // applied.
  void OnSettings();
  // What the settings of the program's reach ask for now: the icon shown or
  // not, edge push looking at the pointer or not (MainSettings.cpp).
  void ApplyReach();
  // The view's hot keys and the pinned programs, read and registered.
  void StartViewKeys();
  // Tells the user which keys another program held at the registration.
  void NoticeTakenKeys();
  // What the start has to say, once the window is up: the taken keys, and
  // once ever, that a 32-bit build runs on 64-bit Windows.
  void OnStartNotices();

  // The icon's tip: the program and the page the view shows (MainReach.cpp).
  std::string IconTip() const;
  void OnNotifyIcon(LPARAM event);
  // A command line's message from a starter: the answer (core::RemoteAnswer).
  LRESULT OnRemote(const COPYDATASTRUCT* data);

  CViewKeys m_viewKeys;
  int m_nTakenViewKeys = 0;  // keys another program held at the start
  HICON m_hSmallIcon;
  bool m_bViewKept = false;  // how far from home a killed run left the view
  int m_nKeptLeft = 0;
  int m_nKeptTop = 0;
  bool m_bSettingsOpen = false;
};
