// The settings page of what the program has beyond its first design: the
// notification-area icon, starting with Windows, moving the view when the
// pointer rests at a screen edge, and the page indicator.  Like the other
// pages it keeps its values in members, written by every change.
#pragma once
#include "core/settings_sheet.h"
#include "fw/propsheet.h"
#include "res/resource.h"

class COtherSettingPropertyPage : public fw::CPropertyPage {
 public:
  enum { IDD = IDD_OTHER_SETTING };
  explicit COtherSettingPropertyPage(const core::SettingValues& values);

  int m_bNotifyIcon;        // 0 or 1
  int m_bStartWithWindows;  // 0 or 1
  int m_nEdgePush;          // milliseconds, 0 when off (core::ClampEdgePush)
  int m_bEdgePushDragging;  // 0 or 1
  int m_bPageIndicator;     // 0 or 1

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(UINT id, UINT code, HWND control) override;

 private:
  // The edge push's time, from its box and its edit.
  void ReadEdgePush();
  bool m_bInitialised = false;
};
