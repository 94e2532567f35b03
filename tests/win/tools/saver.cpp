// A stand-in screen saver for the tests, built as qov_saver.scr.  It notes
// how it was started under HKCU\Software\QovSoft\QovTestSaver and ends:
// "Runs" counts the starts, "Command line" and "Directory" are the last
// start's command line and working directory.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\QovSoft\\QovTestSaver", 0, nullptr, 0,
                      KEY_READ | KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return 1;
  char directory[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, directory);
  const char* line = GetCommandLineA();
  RegSetValueExA(key, "Command line", 0, REG_SZ, reinterpret_cast<const BYTE*>(line),
                 lstrlenA(line) + 1);
  RegSetValueExA(key, "Directory", 0, REG_SZ, reinterpret_cast<const BYTE*>(directory),
                 lstrlenA(directory) + 1);
  DWORD runs = 0, size = sizeof(runs);
  RegQueryValueExA(key, "Runs", nullptr, nullptr, reinterpret_cast<BYTE*>(&runs), &size);
  ++runs;
  RegSetValueExA(key, "Runs", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&runs), sizeof(runs));
  RegCloseKey(key);
  return 0;
}
