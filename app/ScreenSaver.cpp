#include "app/ScreenSaver.h"

#include <shellapi.h>

void StartScreenSaver(HWND owner, const std::string& path) {
  const std::string directory = SystemDirectory();
  ShellExecuteA(owner, "open", path.c_str(), nullptr,
                directory.empty() ? nullptr : directory.c_str(), SW_SHOWDEFAULT);
}
