// A list view control (report view) of a dialog.
#pragma once
#include <commctrl.h>

#include "fw/wnd.h"

namespace fw {

class CListCtrl : public CWnd {
 public:
  void Attach(HWND control) { m_hWnd = control; }

  // Appends a column at `index`; its position, or -1.
  int InsertColumn(int index, const char* heading, int format, int width) {
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = format;
    column.cx = width;
    column.pszText = const_cast<char*>(heading);
    column.iSubItem = index;
    return static_cast<int>(::SendMessageA(m_hWnd, LVM_INSERTCOLUMNA, index,
                                           reinterpret_cast<LPARAM>(&column)));
  }
  // Inserts a row with the text of its first column; its index, or -1.
  int InsertItem(int index, const char* text) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = const_cast<char*>(text);
    return static_cast<int>(
        ::SendMessageA(m_hWnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  }
  bool SetItemText(int index, int subItem, const char* text) {
    LVITEMA item = {};
    item.iSubItem = subItem;
    item.pszText = const_cast<char*>(text);
    return ::SendMessageA(m_hWnd, LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item)) != 0;
  }
  bool DeleteAllItems() { return ::SendMessageA(m_hWnd, LVM_DELETEALLITEMS, 0, 0) != 0; }
  int GetItemCount() const { return static_cast<int>(::SendMessageA(m_hWnd, LVM_GETITEMCOUNT, 0, 0)); }
  // Stops (false) or resumes (true) drawing, so that a rebuilt list is drawn once.
  void SetRedraw(bool redraw) {
    ::SendMessageA(m_hWnd, WM_SETREDRAW, redraw, 0);
    if (redraw) ::InvalidateRect(m_hWnd, nullptr, TRUE);
  }
};

}  // namespace fw
