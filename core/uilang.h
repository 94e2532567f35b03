// Which language the program speaks.
#pragma once

namespace core {

constexpr unsigned kLangJapanese = 0x11;  // LANG_JAPANESE, a primary language id

// Japanese only where the user's interface language is Japanese and the ANSI
// code page is 932, which alone shows the Japanese texts through the "A"
// calls; English for every other user.
inline bool JapaneseInterface(unsigned primaryLanguage, unsigned ansiCodePage) {
  return primaryLanguage == kLangJapanese && ansiCodePage == 932;
}

}  // namespace core
