// The QovDesktop application object and its settings store.
#pragma once
#include <string>

#include "fw/app.h"

class CQovDesktopApp : public fw::CApp {
 public:
  // The settings store: HKCU\Software\QovSoft\<application name>\<section>.
  // A value that cannot be read gives the default; writes report success,
  // which callers may ignore.
  int ReadIntSetting(const char* section, const char* entry, int fallback) const {
    return Profile().GetInt(section, entry, fallback);
  }
  std::string ReadStringSetting(const char* section, const char* entry,
                                const std::string& fallback) const {
    return Profile().GetString(section, entry, fallback);
  }
  BOOL WriteIntSetting(const char* section, const char* entry, int value) const {
    return Profile().WriteInt(section, entry, value);
  }
  BOOL WriteStringSetting(const char* section, const char* entry, const std::string& value) const {
    return Profile().WriteString(section, entry, value);
  }
  // Texts that hold file names, in UTF-16: every character of them survives.
  std::wstring ReadWideSetting(const char* section, const char* entry) const {
    return Profile().GetString(section, entry, std::wstring());
  }
  BOOL WriteWideSetting(const char* section, const char* entry, const std::wstring& value) const {
    return Profile().WriteString(section, entry, value);
  }

  // How far the view of this desktop stands from the start, kept while it is
  // away from it (a volatile section, gone at log-off like the windows it
  // describes).
  bool ReadKeptView(int& left, int& top) const;
  void KeepView(int left, int top) const;
  void ForgetView() const;

  bool OnCommand(UINT id) override;

 protected:
  BOOL InitInstance() override;
};

// The running application object.
inline CQovDesktopApp* QovApp() { return static_cast<CQovDesktopApp*>(fw::CApp::Get()); }
