// The three pages of the settings sheet.  Each keeps its values in members,
// written by every change notification of its controls, so that the members
// are complete whenever the sheet closes, whether a page was shown or not.
#pragma once
#include <string>

#include "core/settings_sheet.h"
#include "fw/propsheet.h"
#include "res/resource.h"

// Screen counts and scroll options (tab "仮想画面").
class CDesktopSettingPropertyPage : public fw::CPropertyPage {
 public:
  enum { IDD = IDD_DESKTOP_SETTING };
  explicit CDesktopSettingPropertyPage(const core::SettingValues& values);

  int m_nHeight;            // screens down
  int m_nWidth;             // screens across
  int m_bMoveAuto;          // 0 or 1
  int m_bFineFirst;         // 0 or 1
  int m_bMoveDesktopIcons;  // 0 or 1

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  bool OnNotify(UINT id, NMHDR* header, LRESULT& result) override;
};

// Desktop icon size and screen saver file (tab "デザイン").
class CDesignSettingPropertyPage : public fw::CPropertyPage {
 public:
  enum { IDD = IDD_DESIGN_SETTING };
  explicit CDesignSettingPropertyPage(const core::SettingValues& values);

  std::string m_strDesktopIcon;  // "Large" or "Small", or the stored text untouched
  std::string m_strScreenSaver;  // full path, or empty

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
};

// Wallpaper directory and interval (tab "壁紙").
class CWallPaperSettingPropertyPage : public fw::CPropertyPage {
 public:
  enum { IDD = IDD_WALLPAPER_SETTING };
  explicit CWallPaperSettingPropertyPage(const core::SettingValues& values);

  std::string m_strDirectory;
  int m_nInterval;  // minutes
  int m_bOn;        // 0 or 1: the rotation runs

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  bool OnNotify(UINT id, NMHDR* header, LRESULT& result) override;

 private:
  void ChooseDirectory();
};
