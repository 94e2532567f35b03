// The overview: the whole virtual screen scaled down in a window of its own,
// with the grid of pages, the view framed, and every window the view moves
// as an outline with its title (the active one and pinned ones marked).  A
// click on a page moves the view there, a double-click on a window brings
// the view to it and activates it, a drag moves a window, a right-click pins
// or unpins it; the arrows choose a page, Enter goes there, Escape closes.
// It closes when it loses activation.  It asks nothing of other programs'
// windows but their places and titles, which Windows answers without them,
// and shows each window where it is going: a busy program takes its moves
// late, and the main window's tick refreshes it when they land.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "core/viewkeys.h"
#include "fw/dialog.h"
#include "res/resource.h"

class CEdgeBar;

class COverview : public fw::CDialog {
 public:
  enum { IDD = IDD_OVERVIEW };
  COverview(CEdgeBar& horizontal, CEdgeBar& vertical)
      : fw::CDialog(IDD), m_horizontal(horizontal), m_vertical(vertical) {}
  ~COverview() override { DestroyWindow(); }

  // Opens it on the monitor of the active window, or brings it to the front
  // when it is open.
  bool Open(fw::CWnd* owner);
  // Takes the places of the windows and of the view anew; redrawn when
  // anything it shows changed.
  void Refresh();
  // Called when Enter took the view to the page the keyboard chose and the
  // overview closed.
  void SetPagedByKeyboard(std::function<void()> paged) { m_pagedByKeyboard = std::move(paged); }

  // What it shows of one window, in virtual-screen coordinates.
  struct Shown {
    HWND hwnd;
    core::Rect place;
    std::wstring title;
    bool active, pinned;
  };
  const std::vector<Shown>& Windows() const { return m_windows; }
  const core::OverviewScale& Scale() const { return m_scale; }

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  void Paint(HDC dc, const RECT& client);
  // The window under a point of the client area (the topmost), or -1.
  int WindowAt(POINT client) const;
  // What it shows of a window; null when it shows none.
  const Shown* Find(HWND hwnd) const;
  // Moves the view to the page (column + row * columns).
  void GoToPage(int page);
  void OnButtonUp(POINT at);
  void OnDoubleClick(POINT at);
  void OnKey(UINT key);

  CEdgeBar& m_horizontal;
  CEdgeBar& m_vertical;
  std::vector<Shown> m_windows;  // topmost first
  core::OverviewScale m_scale = {};
  core::Point m_origin = {};  // the virtual screen's origin on the screen
  bool m_shown = false;       // the places above were taken once
  core::Rect m_work = {};     // the work area of the monitor it shows on
  int m_selected = 0;         // the page the keyboard chose
  HWND m_dragged = nullptr;   // the window being dragged
  POINT m_dragFrom = {}, m_dragTo = {};
  LONG m_lastPress = 0;  // the message time of the last left press
  std::function<void()> m_pagedByKeyboard;
  POINT m_lastPressAt = {};
};
