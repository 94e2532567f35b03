// The language of the user interface and the program's resources in it.
#pragma once
#include <windows.h>

#include <string>

namespace fw {

// Japanese where the user's interface language is Japanese and the ANSI code
// page (932) can show Japanese text through the "A" calls; English for every
// other user.  Decided once per process.
LANGID UiLanguage();
bool JapaneseUi();

// A resource in the interface language, or in whichever language the module
// has it when not in that one; null when there is none.
const void* FindUiResource(HINSTANCE instance, LPCSTR type, UINT id, DWORD* size = nullptr);
inline const DLGTEMPLATE* DialogTemplate(HINSTANCE instance, UINT id) {
  return static_cast<const DLGTEMPLATE*>(FindUiResource(instance, RT_DIALOG, id));
}
// A string of the string table in the interface language, as ANSI text;
// empty when there is none.
std::string UiString(UINT id);
std::string UiString(HINSTANCE instance, UINT id);

}  // namespace fw
