// Registry keys and the application's settings profile.
#pragma once
#include <windows.h>

#include <string>

namespace fw {

// Owns one open registry key; closed when the object goes.
class CRegKey {
 public:
  CRegKey() = default;
  ~CRegKey() { Close(); }
  CRegKey(const CRegKey&) = delete;
  CRegKey& operator=(const CRegKey&) = delete;

  LONG Open(HKEY parent, const char* name, REGSAM access);
  LONG Create(HKEY parent, const char* name, REGSAM access,
              DWORD options = REG_OPTION_NON_VOLATILE);
  void Close();
  HKEY Handle() const { return m_hKey; }
  explicit operator bool() const { return m_hKey != nullptr; }

  // Integer of a REG_DWORD value; the default for any other type.
  int QueryInt(const char* name, int fallback) const;
  // Text of a REG_SZ (or REG_EXPAND_SZ, unexpanded) value of any length,
  // with or without its terminating NUL; false when there is none.
  bool QueryString(const char* name, std::string& value) const;
  bool SetInt(const char* name, int value) const;
  bool SetString(const char* name, const std::string& value) const;
  // Whether a value of any type exists; removes one.
  bool HasValue(const char* name) const;
  bool DeleteValue(const char* name) const;
  // Values whose names are not ASCII go through the "W" calls, so that they
  // are the same names on every code page.
  bool HasValue(const wchar_t* name) const;
  bool SetString(const wchar_t* name, const wchar_t* value) const;
  // Text read and written in UTF-16, so that it holds every character
  // whatever the code page (file names); as QueryString otherwise.
  bool QueryString(const char* name, std::wstring& value) const;
  bool SetString(const char* name, const std::wstring& value) const;

 private:
  HKEY m_hKey = nullptr;
};

// Settings under HKEY_CURRENT_USER\Software\<company>\<application>\<section>.
// Every call opens the key chain anew and closes it before returning, so no
// handle is held between calls and another process's changes are seen at once.
class CRegistryProfile {
 public:
  void SetKey(const std::string& company, const std::string& application) {
    m_strCompany = company;
    m_strApplication = application;
  }
  const std::string& Company() const { return m_strCompany; }
  const std::string& Application() const { return m_strApplication; }

  int GetInt(const char* section, const char* entry, int fallback) const;
  std::string GetString(const char* section, const char* entry, const std::string& fallback) const;
  bool WriteInt(const char* section, const char* entry, int value) const;
  bool WriteString(const char* section, const char* entry, const std::string& value) const;
  std::wstring GetString(const char* section, const char* entry, const std::wstring& fallback) const;
  bool WriteString(const char* section, const char* entry, const std::wstring& value) const;

  // A section of state that lasts no longer than the user's log-on: created
  // volatile, read without being created, removed whole.
  bool GetExistingInt(const char* section, const char* entry, int& value) const;
  bool WriteVolatileInt(const char* section, const char* entry, int value) const;
  void DeleteSection(const char* section) const;

 private:
  // Opens "Software" and creates the rest of the chain; false when it fails.
  bool OpenSection(const char* section, CRegKey& key,
                   DWORD options = REG_OPTION_NON_VOLATILE) const;
  // The application key, opened without creating anything.
  bool OpenApplication(CRegKey& key) const;

  std::string m_strCompany;
  std::string m_strApplication;
};

}  // namespace fw
