// A stand-in screen saver for the tests, built as qov_saver.scr: it counts its
// starts in "Runs" under HKCU\Software\QovSoft\QovTestSaver and ends.
#include <windows.h>
#include <shlwapi.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const char key[] = "Software\\QovSoft\\QovTestSaver";
  DWORD runs = 0, size = sizeof(runs);
  SHGetValueA(HKEY_CURRENT_USER, key, "Runs", nullptr, &runs, &size);
  ++runs;
  return SHSetValueA(HKEY_CURRENT_USER, key, "Runs", REG_DWORD, &runs, sizeof(runs)) != 0;
}
