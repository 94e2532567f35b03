// QOV32.dll as its callers see it: loaded from the build, its exports found
// by name.
#pragma once
#include <windows.h>

#include "support/testsupport.h"

namespace qovtest {

// The library's exports, looked up in the loaded DLL.
struct Qov32 {
  HMODULE module = nullptr;
  HOOKPROC GetMsgProc = nullptr;
  HOOKPROC MouseProc = nullptr;
  HHOOK(WINAPI* SetHookMessage)(DWORD) = nullptr;
  BOOL(WINAPI* UnSetHookMessage)() = nullptr;
  HHOOK(WINAPI* SetHookMouse)(DWORD) = nullptr;
  BOOL(WINAPI* UnSetHookMouse)() = nullptr;
  BOOL(WINAPI* SetHookDesktop)(DWORD) = nullptr;
  BOOL(WINAPI* UnSetHookDesktop)() = nullptr;

  template <typename F>
  void Find(F& function, const char* name) {
    function = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  }
  static Qov32& Get() {
    static Qov32 dll;
    if (!dll.module) {
      dll.module = LoadLibraryA(ProgramPath("QOV32.dll").c_str());
      dll.Find(dll.GetMsgProc, "GetMsgProc");
      dll.Find(dll.MouseProc, "MouseProc");
      dll.Find(dll.SetHookMessage, "SetHookMessage");
      dll.Find(dll.UnSetHookMessage, "UnSetHookMessage");
      dll.Find(dll.SetHookMouse, "SetHookMouse");
      dll.Find(dll.UnSetHookMouse, "UnSetHookMouse");
      dll.Find(dll.SetHookDesktop, "SetHookDesktop");
      dll.Find(dll.UnSetHookDesktop, "UnSetHookDesktop");
    }
    return dll;
  }
};

}  // namespace qovtest
