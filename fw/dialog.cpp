#include "fw/dialog.h"

#include "fw/app.h"
#include "fw/ctrl.h"
#include "fw/lang.h"

namespace fw {

CDialog::~CDialog() {
  // A modeless dialog that still exists must not call back into a dead object.
  if (m_hWnd && ::IsWindow(m_hWnd)) {
    SetWindowLongPtrA(m_hWnd, DWLP_USER, 0);
    if (!m_bModal) ::DestroyWindow(m_hWnd);
  }
}

HWND CDialog::ParentHwnd(CWnd* parent) const {
  if (parent == nullptr) parent = m_pParent;
  return parent ? parent->m_hWnd : nullptr;
}

// The dialog being created on this (the one user-interface) thread.  The
// dialog manager sends WM_SETFONT, WM_SIZE and others before WM_INITDIALOG;
// taking `this` from here at the first message lets the handlers see them.
CDialog* CDialog::s_pCreating = nullptr;

INT_PTR CDialog::DoModal() {
  m_bModal = true;
  s_pCreating = this;
  HINSTANCE instance = CApp::Get()->Instance();
  const DLGTEMPLATE* dialog = DialogTemplate(instance, m_nTemplateId);
  INT_PTR result = dialog ? DialogBoxIndirectParamA(instance, dialog, ParentHwnd(nullptr),
                                                    DialogProc, reinterpret_cast<LPARAM>(this))
                          : -1;
  s_pCreating = nullptr;  // the template may have failed to load
  return result;
}

namespace {

// Where the next top-level window of this thread is made, while a dialog is
// created at a place of its own: the dialog manager takes the template's
// place from the owner, and only the creation hook can change it.
POINT g_createAt;
bool g_placing = false;
HHOOK g_placeHook = nullptr;

LRESULT CALLBACK PlaceCreated(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && g_placing) {
    CREATESTRUCTA* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
    if (!(create->style & WS_CHILD)) {
      create->x = g_createAt.x;
      create->y = g_createAt.y;
      g_placing = false;
    }
  }
  return CallNextHookEx(g_placeHook, code, wParam, lParam);
}

}  // namespace

bool CDialog::Create(CWnd* parent, const POINT* at) {
  m_bModal = false;
  s_pCreating = this;
  HINSTANCE instance = CApp::Get()->Instance();
  const DLGTEMPLATE* dialog = DialogTemplate(instance, m_nTemplateId);
  if (at && dialog) {
    g_createAt = *at;
    g_placing = true;
    g_placeHook = SetWindowsHookExA(WH_CBT, PlaceCreated, nullptr, GetCurrentThreadId());
  }
  HWND hwnd = dialog ? CreateDialogIndirectParamA(instance, dialog, ParentHwnd(parent), DialogProc,
                                                  reinterpret_cast<LPARAM>(this))
                     : nullptr;
  if (g_placeHook) UnhookWindowsHookEx(g_placeHook);
  g_placeHook = nullptr;
  g_placing = false;
  s_pCreating = nullptr;
  return hwnd != nullptr;
}

void CDialog::EndDialog(INT_PTR result) {
  if (!m_hWnd) return;
  if (m_bModal)
    ::EndDialog(m_hWnd, result);
  else
    DestroyWindow();
}

void CDialog::DestroyWindow() {
  if (m_hWnd) ::DestroyWindow(m_hWnd);
}

bool CDialog::OnCommand(UINT id, UINT /*code*/, HWND /*control*/) {
  switch (id) {
    case IDOK:
      OnOK();
      return true;
    case IDCANCEL:
      OnCancel();
      return true;
    default:
      return CApp::Get()->OnCommand(id);
  }
}

bool CDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_INITDIALOG:
      result = OnInitDialog();
      return true;
    case WM_COMMAND:
      result = 0;
      return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_NOTIFY:
      result = 0;
      return OnNotify(static_cast<UINT>(wParam), reinterpret_cast<NMHDR*>(lParam), result);
    default:
      return false;
  }
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CDialog* self = reinterpret_cast<CDialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  if (self == nullptr && (s_pCreating != nullptr || message == WM_INITDIALOG)) {
    self = s_pCreating ? s_pCreating : reinterpret_cast<CDialog*>(lParam);
    s_pCreating = nullptr;
    self->m_hWnd = hwnd;
    SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
  }
  // Messages after the object let go go to the dialog manager alone.
  if (self == nullptr) return FALSE;
  return Dispatch(self, hwnd, message, wParam, lParam);
}

bool CDialog::OnNotify(UINT /*id*/, NMHDR* header, LRESULT& result) {
  return header != nullptr && CSubclassedCtrl::Reflect(*header, result);
}

INT_PTR CDialog::Dispatch(CDialog* self, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  bool handled = false;
  try {
    handled = self->OnMessage(message, wParam, lParam, result);
  } catch (...) {
    // Nothing may unwind into the window manager; the message counts as not
    // handled and default processing takes it.
    handled = false;
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, DWLP_USER, 0);
    self->m_hWnd = nullptr;
  }
  if (!handled) return FALSE;

  switch (message) {
    // These answer through the procedure's return value, not DWLP_MSGRESULT.
    case WM_INITDIALOG:
    case WM_QUERYDRAGICON:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
      return static_cast<INT_PTR>(result);
    default:
      SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
      return TRUE;
  }
}

}  // namespace fw
