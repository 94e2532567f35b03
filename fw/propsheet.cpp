#include "fw/propsheet.h"

#include "fw/app.h"
#include "fw/lang.h"

namespace fw {

PROPSHEETPAGEA CPropertyPage::Descriptor() {
  PROPSHEETPAGEA page = {};
  // The sheet steps through an array of records by their sizes.
  page.dwSize = sizeof(page);
  // The template in the interface language, which the sheet copies.
  page.dwFlags = PSP_DLGINDIRECT;
  page.hInstance = CApp::Get()->Instance();
  page.pResource = DialogTemplate(page.hInstance, TemplateId());
  page.pfnDlgProc = PageProc;
  page.lParam = reinterpret_cast<LPARAM>(this);
  return page;
}

// The page is known from WM_INITDIALOG on, whose parameter is the sheet's
// copy of the page's record; messages before it go to the dialog manager.
INT_PTR CALLBACK CPropertyPage::PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CPropertyPage* self = reinterpret_cast<CPropertyPage*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  if (self == nullptr && message == WM_INITDIALOG && lParam != 0) {
    self = reinterpret_cast<CPropertyPage*>(reinterpret_cast<PROPSHEETPAGEA*>(lParam)->lParam);
    if (self == nullptr) return FALSE;
    self->m_hWnd = hwnd;
    SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
  }
  if (self == nullptr) return FALSE;
  return Dispatch(self, hwnd, message, wParam, lParam);
}

bool CPropertyPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_NOTIFY && lParam != 0) {
    const NMHDR& header = *reinterpret_cast<NMHDR*>(lParam);
    if (header.hwndFrom == GetParent(m_hWnd) && OnSheetNotify(header, result)) return true;
  }
  return CDialog::OnMessage(message, wParam, lParam, result);
}

bool CPropertyPage::OnSheetNotify(const NMHDR& header, LRESULT& result) {
  switch (header.code) {
    case PSN_SETACTIVE:
      result = OnSetActive() ? 0 : -1;
      return true;
    case PSN_KILLACTIVE:
      result = OnKillActive() ? FALSE : TRUE;
      return true;
    case PSN_APPLY: {
      const bool valid = OnApply();
      result = valid ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
      // The sheet has no Apply button, so this is the OK button.  Its
      // parameter says so only from common controls 5.80 on: not read.
      if (valid && m_pSheet) m_pSheet->m_bAccepted = true;
      return true;
    }
    case PSN_RESET:
      // Cancel after an OK that a page refused.
      if (m_pSheet) m_pSheet->m_bAccepted = false;
      OnReset();
      result = 0;
      return true;
    default:
      return false;
  }
}

void CPropertySheet::AddPage(CPropertyPage* page) {
  if (!page) return;
  page->m_pSheet = this;
  m_pages.push_back(page);
}

namespace {

// The sheet's owner is a window that is never seen: the sheet goes to the
// middle of the work area, like the program's other dialogs.
int CALLBACK CenterSheet(HWND sheet, UINT message, LPARAM) {
  if (message != PSCB_INITIALIZED) return 0;
  RECT area, rect;
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0) || !GetWindowRect(sheet, &rect)) return 0;
  const int x = area.left + ((area.right - area.left) - (rect.right - rect.left)) / 2;
  const int y = area.top + ((area.bottom - area.top) - (rect.bottom - rect.top)) / 2;
  SetWindowPos(sheet, nullptr, x > area.left ? x : area.left, y > area.top ? y : area.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return 0;
}

}  // namespace

INT_PTR CPropertySheet::DoModal() {
  if (m_pages.empty()) return -1;
  std::vector<PROPSHEETPAGEA> pages;
  pages.reserve(m_pages.size());
  for (CPropertyPage* page : m_pages) pages.push_back(page->Descriptor());

  CWnd* parent = m_pParent ? m_pParent : CApp::Get()->MainWnd();
  PROPSHEETHEADERA header = {};
  header.dwSize = PROPSHEETHEADERA_V1_SIZE;
  // No Apply button: every page keeps its values until OK, so it would never
  // become active; no Help button: there is no help for the pages.
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_USECALLBACK;
  header.pfnCallback = CenterSheet;
  header.hwndParent = parent ? parent->m_hWnd : nullptr;
  header.hInstance = CApp::Get()->Instance();
  header.pszCaption = m_strCaption.c_str();
  header.nPages = static_cast<UINT>(pages.size());
  header.nStartPage = m_nFirstPage < pages.size() ? m_nFirstPage : 0;
  header.ppsp = pages.data();

  m_bAccepted = false;
  const INT_PTR result = PropertySheetA(&header);
  if (result < 0) return -1;
  // What the sheet returns for OK differs between versions of common
  // controls (0 when no page was marked as changed): the pages' record of
  // the OK is what counts.
  return m_bAccepted ? IDOK : IDCANCEL;
}

}  // namespace fw
