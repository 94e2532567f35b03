// A directory search; its handle is closed when the object goes.
#pragma once
#include <windows.h>

namespace fw {

class CFindFile {
 public:
  CFindFile() = default;
  ~CFindFile() { Close(); }
  CFindFile(const CFindFile&) = delete;
  CFindFile& operator=(const CFindFile&) = delete;

  // Starts a search (closing any earlier one); false when nothing matches.
  bool FindFirst(const char* pattern) {
    Close();
    m_hFind = FindFirstFileA(pattern, &m_data);
    return m_hFind != INVALID_HANDLE_VALUE;
  }
  // Steps to the next entry; false at the end or without a search.
  bool FindNext() { return m_hFind != INVALID_HANDLE_VALUE && FindNextFileA(m_hFind, &m_data); }
  void Close() {
    if (m_hFind != INVALID_HANDLE_VALUE) FindClose(m_hFind);
    m_hFind = INVALID_HANDLE_VALUE;
  }
  // The entry the search describes now.
  const WIN32_FIND_DATAA& Data() const { return m_data; }

 private:
  HANDLE m_hFind = INVALID_HANDLE_VALUE;
  WIN32_FIND_DATAA m_data = {};
};

}  // namespace fw
