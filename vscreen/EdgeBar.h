// The two edge bars: thin app bars at the bottom and right screen edges,
// each with the scroll bar of one axis of the virtual screen.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <functional>

#include "fw/dialog.h"
#include "fw/scrollbar.h"
#include "res/resource.h"

// App-bar notifications of the bars.
enum : UINT {
  WM_VBAR_NOTIFY = WM_USER + 101,
  WM_HBAR_NOTIFY = WM_USER + 102,
};

// One app-bar record per bar, used for every app-bar message of that bar.
extern APPBARDATA g_abdHorizontal;
extern APPBARDATA g_abdVertical;

// What tells the twins apart.
struct EdgeBarAxis {
  UINT templateId;
  int controlId;
  UINT scrollMessage;   // WM_HSCROLL or WM_VSCROLL
  UINT notifyMessage;   // WM_HBAR_NOTIFY or WM_VBAR_NOTIFY
  UINT edge;            // ABE_BOTTOM or ABE_RIGHT
  bool horizontal;
};

// What a bar takes from the program that makes it.
struct EdgeBarSettings {
  int screenCount = 1;       // screens along the bar's axis
  int fineFirst = 0;         // 0 or 1
  int moveDesktopIcons = 0;  // 0 or 1
  // How far from the start a run that ended without bringing the windows
  // home left the view, in pixels.
  bool viewKept = false;
  int keptOffset = 0;
  // Called after every scroll that the bar applied.
  std::function<void()> viewMoved;
};

class CEdgeBar : public fw::CDialog {
 public:
  // At 96 DPI; both scale with the DPI of the monitor the bar stands on.
  static constexpr int kThickness = 24;        // the bar, in pixels
  static constexpr int kControlThickness = 20;  // its scroll bar

  // Destroys the bar while its handlers still run, so that it always gives
  // its strip back to the shell.
  ~CEdgeBar() override { DestroyWindow(); }

  // Creates the bar, owned by `parent`, with the settings it works with.
  bool Create(fw::CWnd* parent, const EdgeBarSettings& settings);
  // Applies one scroll code of this axis: new view position, every window
  // moved by the distance scrolled the other way, control updated.
  void HandleScroll(int code, int thumbPosition);
  // Docks the bar on its edge again (after a change of the work area).
  void RepositionBar() { PlaceBar(); }
  // Registers the bar with a shell that has forgotten it (a restarted
  // Explorer) and docks it again.
  void RegisterAgain();
  // After a change of the screen's size: the windows go home by the page
  // they were laid out with, then the axis is laid out for the new page.
  void LayOutAgain();
  // Whether scrolling moves the desktop icons in place of the desktop.
  void SetMoveDesktopIcons(int flag);
  // Whether a page step first goes to the nearest page boundary.
  void SetFineFirst(int flag) { m_settings.fineFirst = flag; }
  // The last view position of this axis; the control's range is 0 to this.
  int Maximum() const { return m_nMaximum; }
  // The view position of a start: the middle screen.
  int Home() const { return m_nHome; }
  // Scrolls the view back to the start position, moving the windows home.
  void ScrollHome();

  int m_nPageSize = 0;
  int m_nPageOrigin = 0;  // where the page starts on the screen (left or top)
  int m_nPosition = 0;
  int m_nScreenCount = 0;
  int m_nControlRoom = 0;  // the length of its monitor's work area the control was sized for
  fw::CScrollBar m_ScrollBar;

 protected:
  CEdgeBar(const EdgeBarAxis& axis, APPBARDATA& record);
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  BOOL OnInitDialog() override;
  // A bar has no OK or Cancel: Enter and Escape on it must not end it.
  void OnOK() override {}
  void OnCancel() override {}

 private:
  void PlaceBar();
  // Page size, range and start position from the screen as it is now.
  void LayOut();
  // Moves every window by `offset` along this axis (positive: right or down).
  void MoveWindowsBy(int offset);
  // Sizes the scroll bar control to fit inside the bar.
  void FitControl();
  // The length of the work area of the monitor the bar stands on.
  int ControlRoom() const;
  void OnAppBarNotify(UINT code, LPARAM lParam);
  void OnPaint();
  void RaiseTaskbar();
  int& MoveOffset() const;
  int& MoveDesktopIcons() const;

  const EdgeBarAxis& m_axis;
  APPBARDATA& m_record;
  EdgeBarSettings m_settings;
  int m_nMaximum = 0;
  int m_nHome = 0;
};

class CHorizontalScrollDialog : public CEdgeBar {
 public:
  enum { IDD = IDD_HORIZONTAL_BAR };
  CHorizontalScrollDialog();
};

class CVerticalScrollDialog : public CEdgeBar {
 public:
  enum { IDD = IDD_VERTICAL_BAR };
  CVerticalScrollDialog();
};

