#include "core/appname.h"

#include "core/asciicase.h"

namespace core {
namespace {

size_t FileNameStart(std::string_view path) {
  size_t sep = path.find_last_of("\\/:");
  return sep == std::string_view::npos ? 0 : sep + 1;
}

size_t ExtensionStart(std::string_view path) {
  size_t name = FileNameStart(path);
  size_t dot = path.rfind('.');
  return (dot == std::string_view::npos || dot < name) ? path.size() : dot;
}

}  // namespace

std::string ApplicationNameFromPath(std::string_view modulePath) {
  size_t name = FileNameStart(modulePath);
  return std::string(modulePath.substr(name, ExtensionStart(modulePath) - name));
}

std::string ReplaceExtension(std::string_view modulePath, std::string_view extension) {
  std::string result(modulePath.substr(0, ExtensionStart(modulePath)));
  result += extension;
  return result;
}

}  // namespace core

namespace core {

namespace {

std::string NameWithoutBackslashes(std::string name, std::string_view desktopName) {
  for (char c : desktopName) name += c == '\\' ? '_' : c;
  return name;
}

}  // namespace

std::string ViewLockName(std::string_view desktopName) {
  return NameWithoutBackslashes("QovDesktop view of desktop ", desktopName);
}

std::string ViewSectionName(std::string_view desktopName) {
  return NameWithoutBackslashes("View\\", desktopName.empty() ? "Default" : desktopName);
}

}  // namespace core

namespace core {

std::u16string RunValueFor(std::u16string_view programPath) {
  return u"\"" + std::u16string(programPath) + u"\"";
}

bool RunValueNames(std::u16string_view value, std::u16string_view path) {
  auto trim = [](std::u16string_view text) {
    while (!text.empty() && text.front() == u' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == u' ') text.remove_suffix(1);
    if (text.size() >= 2 && text.front() == u'"' && text.back() == u'"')
      text = text.substr(1, text.size() - 2);
    return text;
  };
  value = trim(value);
  path = trim(path);
  return !value.empty() && SameAsciiCase(value, path);
}

}  // namespace core
