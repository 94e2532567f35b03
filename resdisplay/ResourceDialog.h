// The resource display: the drives with their free and total bytes, and the
// physical and virtual memory, read again every second while it is open.
#pragma once
#include "fw/dialog.h"
#include "fw/listctrl.h"
#include "res/resource.h"

class CResourceDialog : public fw::CDialog {
 public:
  enum { IDD = IDD_RESOURCE_DIALOG };
  enum : UINT_PTR { kRefreshTimer = 1 };

  explicit CResourceDialog(fw::CWnd* parent = nullptr) : fw::CDialog(IDD, parent) {}

  // Appends one row per drive that is not removable and answers a size
  // query, in letter order: the letter, free bytes, total bytes.  A remote
  // drive shows its last answer; `askRemoteDrives` starts its next query
  // off this thread, where none runs yet.
  void FillDriveList(bool askRemoteDrives);
  // Writes the four memory figures into their fields.
  void FillMemoryFigures();

  fw::CListCtrl m_listDrives;

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  BOOL OnInitDialog() override;

 private:
  void Refresh(bool askRemoteDrives);
};
