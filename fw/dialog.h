// Dialogs from templates in the program's resources, modal or modeless.
#pragma once
#include "fw/wnd.h"

namespace fw {

// One static dialog procedure keeps `this` in DWLP_USER from the first message
// of the dialog on and hands every message to the virtual OnMessage, which switches to named
// handlers.  A handler that does not take a message leaves it to the dialog
// manager's default processing.
class CDialog : public CWnd {
 public:
  explicit CDialog(UINT templateId, CWnd* parent = nullptr)
      : m_nTemplateId(templateId), m_pParent(parent) {}
  // A window still open when the object goes is destroyed without its
  // handlers (they belong to the derived class, gone by then): a class whose
  // WM_DESTROY matters destroys its window in its own destructor.
  ~CDialog() override;

  // Runs the dialog modally; the result passed to EndDialog, or -1 when the
  // dialog could not be created.
  INT_PTR DoModal();
  // Creates the dialog modelessly, owned by `parent` (or the constructor's
  // parent); it is destroyed with its owner or by DestroyWindow.  Given
  // `at`, its top-left corner is made there on the screen rather than at
  // its owner's place, and so on the monitor it is to show on, at that
  // monitor's DPI.
  bool Create(CWnd* parent = nullptr, const POINT* at = nullptr);
  void EndDialog(INT_PTR result);
  void DestroyWindow();

  UINT TemplateId() const { return m_nTemplateId; }
  // The window object that owns this dialog, if any.
  CWnd* Parent() const { return m_pParent; }

 protected:
  // Return true when the message was handled; `result` is then its answer.
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  virtual BOOL OnInitDialog() { return TRUE; }
  // Command ids that are not the dialog's own go on to the application.
  virtual bool OnCommand(UINT id, UINT code, HWND control);
  virtual void OnOK() { EndDialog(IDOK); }
  virtual void OnCancel() { EndDialog(IDCANCEL); }
  // Notifications of the dialog's controls.  By default a notification from
  // a control that a control object has subclassed is reflected to it.
  virtual bool OnNotify(UINT id, NMHDR* header, LRESULT& result);

  // Hands one message to `self` (already bound to `hwnd`) and answers the
  // dialog manager; for dialog procedures that find `self` their own way.
  static INT_PTR Dispatch(CDialog* self, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static CDialog* s_pCreating;
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND ParentHwnd(CWnd* parent) const;

  UINT m_nTemplateId;
  CWnd* m_pParent;
  bool m_bModal = false;
};

}  // namespace fw
