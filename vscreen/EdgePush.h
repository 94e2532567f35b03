// Edge push: while it is on, the pointer is looked at three times a second,
// ten times a second near an edge or a bar or while a button is down;
// resting against an outer edge of the screen that counts
// (core::PushEdgeAt) for the set time pages the view that way, as a page key
// does.  While the user drags a window by its title bar, the edge, or one of
// the program's bars, carries the window along to the next page.
//
// Looked at by a timer rather than a hook: a timer of this thread costs a
// wake-up and a few calls ten times a second, nothing in other programs,
// and it sees the pointer during another program's drag, when a mouse hook
// of this process would not run.  Away from the edges a look costs one call
// (where the pointer is); whether a drag runs is asked (GetGUIThreadInfo)
// only near them and while a button is down.
#pragma once
#include <windows.h>

#include <vector>

#include "core/edgepush.h"
#include "core/screen.h"

class CEdgePush {
 public:
  // What edge push needs of the view.
  class Host {
   public:
    // Whether the view can move towards `edge`.
    virtual bool CanPage(core::Edge edge) = 0;
    // Pages the view towards `edge`; `carried`, when not null, and the
    // windows it owns stay where they stand on the screen.
    virtual void Page(core::Edge edge, HWND carried) = 0;

   protected:
    ~Host() = default;
  };

  explicit CEdgePush(Host& host) : m_host(host) {}
  // Starts looking (on `owner`'s timer `timerId`), or stops when `restMs` is
  // 0; `onlyDragging`: only a dragged window pushes.
  void Start(HWND owner, UINT_PTR timerId, int restMs, bool onlyDragging);
  void Stop();
  bool Running() const { return m_owner != nullptr; }
  // One look at the pointer, at the timer.
  void Look();
  ~CEdgePush() { Stop(); }

  static constexpr UINT kLookMs = 100;     // near an edge or a bar, or dragging
  static constexpr UINT kFarLookMs = 300;  // anywhere else
  static constexpr int kNearPixels = 48;

 private:
  // Where the pointer is, from where the system reports it.  During a drag the dragged window follows the
  // pointer at the offset it was taken at; once it has moved, it says where
  // the pointer is, also where the system reports the pointer where the drag
  // began (Wine does, after it moved the window).
  POINT Pointer(POINT reported, HWND dragged);

  // The monitors, the bars and the strips along edges (the bars and the
  // taskbar), taken anew every few seconds: they seldom change.
  void Refresh();
  // Looks again after `ms`.
  void Pace(UINT ms);

  Host& m_host;
  core::Screen m_screen;
  std::vector<core::Rect> m_docked;
  unsigned m_looks = 0;
  POINT m_lastAt = {};  // where the pointer was at the last look
  UINT m_period = 0;
  HWND m_dragged = nullptr;  // the window of the drag seen last
  RECT m_taken = {};         // where it stood when the drag was first seen
  POINT m_offset = {};       // the pointer from its top-left corner then
  HWND m_owner = nullptr;
  UINT_PTR m_timer = 0;
  int m_restMs = 0;
  bool m_onlyDragging = false;
  core::EdgeDwell m_dwell;
};
