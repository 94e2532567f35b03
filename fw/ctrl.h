// A control of a dialog that a control object subclasses, so that the
// notifications the control sends its dialog come back to the object
// ("reflected"), as if the control handled its own notifications.
#pragma once
#include "fw/wnd.h"

namespace fw {

class CSubclassedCtrl : public CWnd {
 public:
  ~CSubclassedCtrl() override { Unsubclass(); }

  // Takes over the dialog's control `id`; false when there is none.
  bool SubclassDlgItem(UINT id, HWND dialog);
  void Unsubclass();

  // Passes a notification to the control object behind its sender, if any;
  // true when that object took it, `result` then being the answer.
  static bool Reflect(const NMHDR& header, LRESULT& result);

 protected:
  // A notification of this control; true when handled.
  virtual bool OnReflectedNotify(NMHDR& header, LRESULT& result) { return false; }
  // Any other message of the control; by default the control's own procedure.
  virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static CSubclassedCtrl* FromHandle(HWND hwnd);
  WNDPROC m_pfnSuper = nullptr;
};

}  // namespace fw
