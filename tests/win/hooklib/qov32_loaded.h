// QOV32.dll as its callers see it: loaded from a file, its exports called by name.
#pragma once
#include <windows.h>

#include "support/testsupport.h"

namespace qovtest {

struct Qov32 {
  HMODULE module;

  // Calls an export with the types of the arguments given; 0 when it is missing.
  template <typename R, typename... A>
  R Call(const char* name, A... args) const {
    auto* function = reinterpret_cast<R(WINAPI*)(A...)>(
        reinterpret_cast<void*>(GetProcAddress(module, name)));
    return function ? function(args...) : R();
  }
  // The build's own copy, loaded once.
  static const Qov32& Get() {
    static const Qov32 dll = {LoadLibraryA(ProgramPath("QOV32.dll").c_str())};
    return dll;
  }
};

}  // namespace qovtest
