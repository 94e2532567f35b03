// The settings page of the view's hot keys and of the programs whose windows
// are always pinned.  Like the other pages it keeps its values in members,
// written by every change of its controls.
#pragma once
#include <string>

#include "core/viewkeys.h"
#include "fw/propsheet.h"
#include "res/resource.h"

class CViewKeysSettingPropertyPage : public fw::CPropertyPage {
 public:
  enum { IDD = IDD_VIEWKEYS_SETTING };
  // `taken`: the commands whose keys another program held at registration.
  CViewKeysSettingPropertyPage(const core::HotKey (&keys)[core::kViewKeyCount],
                               const bool (&taken)[core::kViewKeyCount], std::wstring pinned);

  core::HotKey m_keys[core::kViewKeyCount];
  std::wstring m_strPinnedPrograms;  // file names separated by '|', in UTF-16

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  bool OnApply() override;

 private:
  bool m_taken[core::kViewKeyCount];
};
