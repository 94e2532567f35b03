#include "fw/lang.h"

#include "core/uilang.h"
#include "fw/app.h"

namespace fw {

LANGID UiLanguage() {
  // GetUserDefaultUILanguage exists from Windows 2000 on.  The resource
  // loader's own choice differs between versions (the thread locale up to
  // XP, the thread's UI language later), so the program picks for itself.
  static const LANGID language =
      core::JapaneseInterface(PRIMARYLANGID(GetUserDefaultUILanguage()), GetACP())
          ? MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT)
          : MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
  return language;
}

bool JapaneseUi() { return PRIMARYLANGID(UiLanguage()) == LANG_JAPANESE; }

const void* FindUiResource(HINSTANCE instance, LPCSTR type, UINT id, DWORD* size) {
  LPCSTR name = MAKEINTRESOURCEA(id);
  HRSRC found = FindResourceExA(instance, type, name, UiLanguage());
  if (!found) found = FindResourceA(instance, name, type);
  HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
  if (!loaded) return nullptr;
  if (size) *size = SizeofResource(instance, found);
  return LockResource(loaded);
}

std::string UiString(HINSTANCE instance, UINT id) {
  // A block of the string table holds strings id / 16 * 16 to that + 15,
  // each a count of UTF-16 units and then the units.
  DWORD size = 0;
  const auto* block =
      static_cast<const WCHAR*>(FindUiResource(instance, RT_STRING, id / 16 + 1, &size));
  if (!block) return std::string();
  const WCHAR* end = block + size / sizeof(WCHAR);
  const WCHAR* entry = block;
  for (UINT i = 0; i < id % 16 && entry < end; ++i) entry += 1 + *entry;
  if (entry >= end || *entry == 0 || entry + 1 + *entry > end) return std::string();
  const int units = *entry;
  const int bytes = WideCharToMultiByte(CP_ACP, 0, entry + 1, units, nullptr, 0, nullptr, nullptr);
  std::string text(bytes > 0 ? bytes : 0, '\0');
  if (bytes > 0) WideCharToMultiByte(CP_ACP, 0, entry + 1, units, &text[0], bytes, nullptr, nullptr);
  return text;
}

std::string UiString(UINT id) { return UiString(CApp::Get()->Instance(), id); }

}  // namespace fw
