// A menu handle, destroyed with the object unless another menu took it over.
#pragma once
#include <windows.h>

namespace fw {

class CMenu {
 public:
  CMenu() = default;
  ~CMenu() { DestroyMenu(); }
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;

  bool CreateMenu() { return Attach(::CreateMenu()); }
  bool CreatePopupMenu() { return Attach(::CreatePopupMenu()); }
  bool Attach(HMENU menu) {
    DestroyMenu();
    m_hMenu = menu;
    m_bOwned = menu != nullptr;
    return m_bOwned;
  }
  // A popup inserted into another menu is destroyed with that menu; the
  // handle stays usable here but is no longer ours to destroy.
  void OwnedByParent() { m_bOwned = false; }
  void DestroyMenu() {
    if (m_hMenu && m_bOwned) ::DestroyMenu(m_hMenu);
    m_hMenu = nullptr;
    m_bOwned = false;
  }

  HMENU m_hMenu = nullptr;

 private:
  bool m_bOwned = false;
};

}  // namespace fw
