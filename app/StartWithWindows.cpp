#include "app/StartWithWindows.h"

#include <windows.h>

#include <string>

#include "core/appname.h"
#include "fw/app.h"
#include "fw/registry.h"

namespace startup {

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kValue[] = "QovDesktop";

std::u16string ProgramPath() {
  const std::wstring path = fw::ModulePathW(nullptr);
  return std::u16string(path.begin(), path.end());
}

std::wstring Wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

bool ReadValue(std::u16string& value) {
  fw::CRegKey run;
  std::wstring text;
  if (run.Open(HKEY_CURRENT_USER, kRunKey, KEY_READ) != ERROR_SUCCESS ||
      !run.QueryString(kValue, text))
    return false;
  value.assign(text.begin(), text.end());
  return true;
}

// Whether the program a value names is gone: quotes aside, no such file.
bool NamesNothing(const std::u16string& value) {
  std::u16string path = value;
  if (path.size() >= 2 && path.front() == u'"' && path.back() == u'"')
    path = path.substr(1, path.size() - 2);
  return GetFileAttributesW(Wide(path).c_str()) == INVALID_FILE_ATTRIBUTES;
}

}  // namespace

bool IsOn() {
  std::u16string value;
  const std::u16string path = ProgramPath();
  return !path.empty() && ReadValue(value) && core::RunValueNames(value, path);
}

void Set(bool on) {
  const std::u16string path = ProgramPath();
  fw::CRegKey run;
  if (path.empty() || run.Create(HKEY_CURRENT_USER, kRunKey, KEY_READ | KEY_WRITE) != ERROR_SUCCESS)
    return;
  if (on) {
    run.SetString(kValue, Wide(core::RunValueFor(path)));
    return;
  }
  std::u16string value;
  if (ReadValue(value) && (core::RunValueNames(value, path) || NamesNothing(value)))
    run.DeleteValue(kValue);
}

}  // namespace startup
