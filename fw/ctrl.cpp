#include "fw/ctrl.h"

namespace fw {

namespace {
// The window property naming the control object of a subclassed control.
const char kObjectProperty[] = "fw.ctrl";
}  // namespace

CSubclassedCtrl* CSubclassedCtrl::FromHandle(HWND hwnd) {
  return hwnd ? static_cast<CSubclassedCtrl*>(GetPropA(hwnd, kObjectProperty)) : nullptr;
}

bool CSubclassedCtrl::SubclassDlgItem(UINT id, HWND dialog) {
  Unsubclass();
  HWND control = GetDlgItem(dialog, static_cast<int>(id));
  if (!control || !SetPropA(control, kObjectProperty, this)) return false;
  m_hWnd = control;
  m_pfnSuper = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
  return true;
}

void CSubclassedCtrl::Unsubclass() {
  if (!m_hWnd) return;
  if (::IsWindow(m_hWnd) && m_pfnSuper)
    SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
  RemovePropA(m_hWnd, kObjectProperty);
  m_hWnd = nullptr;
  m_pfnSuper = nullptr;
}

bool CSubclassedCtrl::Reflect(const NMHDR& header, LRESULT& result) {
  CSubclassedCtrl* self = FromHandle(header.hwndFrom);
  if (!self) return false;
  try {
    return self->OnReflectedNotify(const_cast<NMHDR&>(header), result);
  } catch (...) {
    return false;  // nothing may unwind into the window manager
  }
}

LRESULT CSubclassedCtrl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CSubclassedCtrl::SubclassProc(HWND hwnd, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  CSubclassedCtrl* self = FromHandle(hwnd);
  if (!self || !self->m_pfnSuper) return DefWindowProcA(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // The control goes: give it its own procedure back for its last message.
    WNDPROC super = self->m_pfnSuper;
    self->Unsubclass();
    return CallWindowProcA(super, hwnd, message, wParam, lParam);
  }
  try {
    return self->OnMessage(message, wParam, lParam);
  } catch (...) {
    return CallWindowProcA(self->m_pfnSuper, hwnd, message, wParam, lParam);
  }
}

}  // namespace fw
