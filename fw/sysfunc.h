// Functions of system DLLs that the oldest Windows the programs run on lacks
// (XP), found at run time so that nothing is imported that it has not.
#pragma once
#include <windows.h>

#include <string>

namespace fw {

// The system DLL `dll` as it is loaded, or loaded from the system directory
// only (never from a folder a file could be put beside) and kept loaded;
// null where this Windows has none.
inline HMODULE SystemModule(const char* dll) {
  HMODULE module = GetModuleHandleA(dll);
  if (module) return module;
  char directory[MAX_PATH] = "";
  const UINT length = GetSystemDirectoryA(directory, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  return LoadLibraryA((std::string(directory) + "\\" + dll).c_str());
}

// A function of a system DLL, or null where this Windows has none.
template <typename F>
F* SystemFunction(const char* dll, const char* name) {
  HMODULE module = SystemModule(dll);
  return module ? reinterpret_cast<F*>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                : nullptr;
}

}  // namespace fw
