#include "fw/registry.h"

#include <algorithm>
#include <vector>

#include "core/settings_rules.h"

namespace fw {

LONG CRegKey::Open(HKEY parent, const char* name, REGSAM access) {
  Close();
  return RegOpenKeyExA(parent, name, 0, access, &m_hKey);
}

LONG CRegKey::Create(HKEY parent, const char* name, REGSAM access, DWORD options) {
  Close();
  return RegCreateKeyExA(parent, name, 0, nullptr, options, access, nullptr, &m_hKey, nullptr);
}

void CRegKey::Close() {
  if (m_hKey) RegCloseKey(m_hKey);
  m_hKey = nullptr;
}

int CRegKey::QueryInt(const char* name, int fallback) const {
  if (!m_hKey) return fallback;
  unsigned char data[4];
  DWORD size = sizeof(data), type = 0;
  // Only a number stored as a number counts: the bytes of a text ("abc")
  // would read as millions of screens.  A value too long for 32 bits
  // answers ERROR_MORE_DATA and gives the default.
  if (RegQueryValueExA(m_hKey, name, nullptr, &type, data, &size) != ERROR_SUCCESS ||
      type != REG_DWORD)
    return fallback;
  return core::IntFromValueBytes(data, size, fallback);
}

bool CRegKey::QueryString(const char* name, std::string& value) const {
  if (!m_hKey) return false;
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(m_hKey, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
  // The value may grow between the two queries; try again a few times with
  // the size the registry reports, then give up rather than loop forever.
  std::vector<unsigned char> buffer;
  for (int attempt = 0; attempt < 4; ++attempt) {
    buffer.assign(size + 1, 0);  // room for a NUL the stored value may lack
    DWORD got = size;
    LONG rc = RegQueryValueExA(m_hKey, name, nullptr, &type, buffer.data(), &got);
    if (rc == ERROR_MORE_DATA) {
      size = got;
      continue;
    }
    if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
    value = core::StringFromValueBytes(buffer.data(), got);
    return true;
  }
  return false;
}

bool CRegKey::SetInt(const char* name, int value) const {
  DWORD data = static_cast<DWORD>(value);
  return m_hKey && RegSetValueExA(m_hKey, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                                  sizeof(data)) == ERROR_SUCCESS;
}

bool CRegKey::SetString(const char* name, const std::string& value) const {
  return m_hKey &&
         RegSetValueExA(m_hKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

bool CRegKey::HasValue(const char* name) const {
  return m_hKey &&
         RegQueryValueExA(m_hKey, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool CRegKey::HasValue(const wchar_t* name) const {
  return m_hKey &&
         RegQueryValueExW(m_hKey, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool CRegKey::SetString(const wchar_t* name, const wchar_t* value) const {
  return m_hKey && RegSetValueExW(m_hKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                                  static_cast<DWORD>((lstrlenW(value) + 1) * sizeof(wchar_t))) ==
                       ERROR_SUCCESS;
}

namespace {
std::wstring Wide(const char* ascii) { return std::wstring(ascii, ascii + lstrlenA(ascii)); }
}  // namespace

bool CRegKey::QueryString(const char* name, std::wstring& value) const {
  if (!m_hKey) return false;
  const std::wstring wide = Wide(name);
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(m_hKey, wide.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return false;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
  std::vector<wchar_t> buffer;
  for (int attempt = 0; attempt < 4; ++attempt) {
    buffer.assign(size / sizeof(wchar_t) + 2, L'\0');  // room for a NUL the value may lack
    DWORD got = size;
    const LONG rc = RegQueryValueExW(m_hKey, wide.c_str(), nullptr, &type,
                                     reinterpret_cast<BYTE*>(buffer.data()), &got);
    if (rc == ERROR_MORE_DATA) {
      size = got;
      continue;
    }
    if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
    const size_t units = std::min<size_t>(got / sizeof(wchar_t), buffer.size() - 1);
    value.assign(buffer.data(), std::find(buffer.data(), buffer.data() + units, L'\0'));
    return true;
  }
  return false;
}

bool CRegKey::SetString(const char* name, const std::wstring& value) const {
  return SetString(Wide(name).c_str(), value.c_str());
}

bool CRegKey::DeleteValue(const char* name) const {
  return m_hKey && RegDeleteValueA(m_hKey, name) == ERROR_SUCCESS;
}

bool CRegistryProfile::OpenSection(const char* section, CRegKey& key, DWORD options) const {
  const REGSAM access = KEY_READ | KEY_WRITE;
  CRegKey software, company, application;
  return software.Open(HKEY_CURRENT_USER, "Software", access) == ERROR_SUCCESS &&
         company.Create(software.Handle(), m_strCompany.c_str(), access) == ERROR_SUCCESS &&
         application.Create(company.Handle(), m_strApplication.c_str(), access) == ERROR_SUCCESS &&
         key.Create(application.Handle(), section, access, options) == ERROR_SUCCESS;
}

bool CRegistryProfile::OpenApplication(CRegKey& key) const {
  const std::string path = "Software\\" + m_strCompany + "\\" + m_strApplication;
  return !m_strApplication.empty() &&
         key.Open(HKEY_CURRENT_USER, path.c_str(), KEY_READ | KEY_WRITE) == ERROR_SUCCESS;
}

bool CRegistryProfile::GetExistingInt(const char* section, const char* entry, int& value) const {
  CRegKey application, key;
  if (!OpenApplication(application) ||
      key.Open(application.Handle(), section, KEY_READ) != ERROR_SUCCESS)
    return false;
  DWORD data = 0, size = sizeof(data), type = 0;
  if (RegQueryValueExA(key.Handle(), entry, nullptr, &type, reinterpret_cast<BYTE*>(&data),
                       &size) != ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof(data))
    return false;
  value = static_cast<int>(data);
  return true;
}

bool CRegistryProfile::WriteVolatileInt(const char* section, const char* entry, int value) const {
  CRegKey key;
  return OpenSection(section, key, REG_OPTION_VOLATILE) && key.SetInt(entry, value);
}

void CRegistryProfile::DeleteSection(const char* section) const {
  CRegKey application;
  if (OpenApplication(application)) RegDeleteKeyA(application.Handle(), section);
}

int CRegistryProfile::GetInt(const char* section, const char* entry, int fallback) const {
  CRegKey key;
  return OpenSection(section, key) ? key.QueryInt(entry, fallback) : fallback;
}

std::string CRegistryProfile::GetString(const char* section, const char* entry,
                                        const std::string& fallback) const {
  CRegKey key;
  std::string value;
  return OpenSection(section, key) && key.QueryString(entry, value) ? value : fallback;
}

std::wstring CRegistryProfile::GetString(const char* section, const char* entry,
                                         const std::wstring& fallback) const {
  CRegKey key;
  std::wstring value;
  return OpenSection(section, key) && key.QueryString(entry, value) ? value : fallback;
}

bool CRegistryProfile::WriteString(const char* section, const char* entry,
                                   const std::wstring& value) const {
  CRegKey key;
  return OpenSection(section, key) && key.SetString(entry, value);
}

bool CRegistryProfile::WriteInt(const char* section, const char* entry, int value) const {
  CRegKey key;
  return OpenSection(section, key) && key.SetInt(entry, value);
}

bool CRegistryProfile::WriteString(const char* section, const char* entry,
                                   const std::string& value) const {
  CRegKey key;
  return OpenSection(section, key) && key.SetString(entry, value);
}

}  // namespace fw
