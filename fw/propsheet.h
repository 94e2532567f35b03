// Property sheets and their pages, over PropertySheetA / PROPSHEETPAGEA.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "fw/dialog.h"

namespace fw {

class CPropertySheet;

// A page from a dialog template; the tab shows the template's caption.  Its
// window exists from the first time its tab is shown until the sheet closes.
// Messages reach the handlers of CDialog; the sheet's notifications reach the
// PSN_* virtuals, which answer through DWLP_MSGRESULT.
class CPropertyPage : public CDialog {
 public:
  explicit CPropertyPage(UINT templateId) : CDialog(templateId) {}

  // The sheet this page is shown in, once added.
  CPropertySheet* Sheet() const { return m_pSheet; }

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  // OK and Cancel are the sheet's buttons: a page never ends itself.
  void OnOK() override {}
  void OnCancel() override {}

  // The page is shown (true: it may be).
  virtual bool OnSetActive() { return true; }
  // The page is about to be left or the sheet accepted (true: it may be).
  virtual bool OnKillActive() { return true; }
  // The sheet is accepted (true: the values hold).
  virtual bool OnApply() { return true; }
  // The sheet is cancelled.
  virtual void OnReset() {}

 private:
  friend class CPropertySheet;
  static INT_PTR CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  PROPSHEETPAGEA Descriptor();
  bool OnSheetNotify(const NMHDR& header, LRESULT& result);

  CPropertySheet* m_pSheet = nullptr;
};

// A modal sheet without Apply and Help buttons, owned by the application's
// main window unless given a parent.
class CPropertySheet {
 public:
  explicit CPropertySheet(std::string caption, CWnd* parent = nullptr, UINT firstPage = 0)
      : m_strCaption(std::move(caption)), m_pParent(parent), m_nFirstPage(firstPage) {}
  CPropertySheet(const CPropertySheet&) = delete;
  CPropertySheet& operator=(const CPropertySheet&) = delete;

  // The page object must outlive the sheet's showing.
  void AddPage(CPropertyPage* page);
  // IDOK when the sheet was closed with OK, IDCANCEL when not, -1 when it
  // could not be shown.
  INT_PTR DoModal();

 private:
  friend class CPropertyPage;
  std::string m_strCaption;
  CWnd* m_pParent;
  UINT m_nFirstPage;
  std::vector<CPropertyPage*> m_pages;
  bool m_bAccepted = false;
};

}  // namespace fw
