#include "settings/ScreenSaverFile.h"

#include <commdlg.h>

#include "fw/lang.h"
#include "res/resource.h"

std::string SystemDirectory() {
  char directory[MAX_PATH] = "";
  const UINT length = GetSystemDirectoryA(directory, MAX_PATH);
  // A length of MAX_PATH or more is the size needed: nothing was written.
  return length > 0 && length < MAX_PATH ? std::string(directory, length) : std::string();
}

bool ChooseScreenSaverFile(HWND owner, std::string& path) {
  // Two filters, each a display text and a pattern, the list ended by an
  // empty text: the resource's "|" are the NULs apart.
  std::string filter = fw::UiString(IDS_SAVER_FILTER);
  for (char& c : filter)
    if (c == '|') c = '\0';
  filter.push_back('\0');
  const std::string directory = SystemDirectory();
  char file[MAX_PATH] = "";
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.hInstance = GetModuleHandleA(nullptr);
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrInitialDir = directory.empty() ? nullptr : directory.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_LONGNAMES;
  if (!GetOpenFileNameA(&dialog) || file[0] == '\0') return false;
  path = file;
  return true;
}
