// The page indicator: after the view moved by a key, edge push, the command
// line or the overview's keyboard, a small map of the pages with the current
// one marked shows for about a second in the middle of the active window's
// monitor, with a note under it when given (a window pinned or unpinned).
// It never takes activation, the focus or the keyboard, clicks go through
// it, and it stays above the other windows.  Untitled, it is never moved by
// the view.
#pragma once
#include <windows.h>

#include <string>

#include "core/vscreen.h"

class CPageIndicator {
 public:
  CPageIndicator() = default;
  ~CPageIndicator();
  CPageIndicator(const CPageIndicator&) = delete;
  CPageIndicator& operator=(const CPageIndicator&) = delete;

  // Shows `page` of the virtual screen (with `note` under it when not empty)
  // for about a second, made and placed anew at each showing.
  void Show(const core::ViewPage& page, const std::wstring& note = std::wstring());
  void Hide();
  HWND Window() const { return m_hWnd; }
  const std::wstring& Note() const { return m_note; }

  // How long it shows.
  static constexpr UINT kShowMs = 1100;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint(HDC dc);

  HWND m_hWnd = nullptr;
  core::ViewPage m_page = {};
  std::wstring m_note;
};
