#include "fw/wnd.h"

namespace fw {

std::string CWnd::GetWindowText() const {
  int length = m_hWnd ? ::GetWindowTextLengthA(m_hWnd) : 0;
  if (length <= 0) return std::string();
  std::string text(static_cast<size_t>(length) + 1, '\0');
  int got = ::GetWindowTextA(m_hWnd, &text[0], length + 1);
  text.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return text;
}

}  // namespace fw
