// A tree view control of a dialog, subclassed so that its notifications
// come to the object.
#pragma once
#include <commctrl.h>

#include "fw/ctrl.h"

namespace fw {

class CTreeCtrl : public CSubclassedCtrl {
 public:
  HIMAGELIST SetImageList(HIMAGELIST list, int which = TVSIL_NORMAL) {
    return reinterpret_cast<HIMAGELIST>(
        ::SendMessageA(m_hWnd, TVM_SETIMAGELIST, which, reinterpret_cast<LPARAM>(list)));
  }
  HTREEITEM InsertItem(TVINSERTSTRUCTA& insert) {
    return reinterpret_cast<HTREEITEM>(
        ::SendMessageA(m_hWnd, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
  }
  LPARAM GetItemData(HTREEITEM item) const {
    TVITEMA data = {};
    data.mask = TVIF_HANDLE | TVIF_PARAM;
    data.hItem = item;
    return ::SendMessageA(m_hWnd, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data)) ? data.lParam
                                                                                    : 0;
  }
  UINT GetItemState(HTREEITEM item, UINT mask) const {
    return static_cast<UINT>(::SendMessageA(m_hWnd, TVM_GETITEMSTATE,
                                            reinterpret_cast<WPARAM>(item), mask));
  }
  // Sorts the direct children of `parent` with `compare`.
  bool SortChildrenCB(HTREEITEM parent, PFNTVCOMPARE compare, LPARAM data) {
    TVSORTCB sort = {parent, compare, data};
    return ::SendMessageA(m_hWnd, TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort)) != 0;
  }
};

}  // namespace fw
