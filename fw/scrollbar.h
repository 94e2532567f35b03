// A scroll bar control (SB_CTL) of a dialog.
#pragma once
#include "fw/wnd.h"

namespace fw {

class CScrollBar : public CWnd {
 public:
  void Attach(HWND control) { m_hWnd = control; }
  void SetScrollRange(int minimum, int maximum, bool redraw = true) {
    ::SetScrollRange(m_hWnd, SB_CTL, minimum, maximum, redraw);
  }
  int GetScrollPos() const { return ::GetScrollPos(m_hWnd, SB_CTL); }
  void SetScrollPos(int position, bool redraw = true) {
    ::SetScrollPos(m_hWnd, SB_CTL, position, redraw);
  }
};

}  // namespace fw
