// The settings page of the view's hot keys and of the programs whose windows
// are always pinned.  Like the other pages it keeps its values in members,
// written by every change of its controls.
#pragma once
#include <string>

#include "core/viewkeys.h"
#include "fw/ctrl.h"
#include "fw/propsheet.h"
#include "res/resource.h"

// A hot key control that takes Space with Ctrl or Alt as a key: the control
// itself takes Space, as Enter, Tab, Escape, Backspace and Delete, for a key
// that clears it, and Space is the overview's own key.
class CHotKeyCtrl : public fw::CSubclassedCtrl {
 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

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
  // Beside each key: given to another command too, or held by another program.
  void ShowMarks();

  // The key another program held, kept so that the mark goes once the key changes.
  bool m_taken[core::kViewKeyCount];
  core::HotKey m_takenKeys[core::kViewKeyCount];
  CHotKeyCtrl m_keyControls[core::kViewKeyCount];
};
