// Base of every window object: one HWND and the few operations the program uses.
#pragma once
#include <windows.h>

#include <string>

namespace fw {

class CWnd {
 public:
  CWnd() = default;
  virtual ~CWnd() = default;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND GetSafeHwnd() const { return m_hWnd; }
  bool IsWindow() const { return m_hWnd != nullptr && ::IsWindow(m_hWnd); }
  std::string GetWindowText() const;

  HWND m_hWnd = nullptr;
};

}  // namespace fw
