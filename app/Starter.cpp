#include "app/Starter.h"

#include <windows.h>

#include <string>

#include "fw/lang.h"
#include "res/resource.h"

namespace {

// The main window of the program running on this desktop: a window of its
// class in another process than this one.
HWND RunningProgram() {
  for (HWND hwnd = FindWindowExA(nullptr, nullptr, core::kMainWindowClass, nullptr); hwnd;
       hwnd = FindWindowExA(nullptr, hwnd, core::kMainWindowClass, nullptr)) {
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process != 0 && process != GetCurrentProcessId()) return hwnd;
  }
  return nullptr;
}

}  // namespace

int RunStarter(const core::RemoteCommand& command) {
  if (command.command == core::Remote::kUsage || command.command == core::Remote::kBad) {
    MessageBoxA(nullptr, fw::UiString(IDS_USAGE).c_str(), fw::UiString(IDS_APP_TITLE).c_str(),
                MB_OK | (command.command == core::Remote::kBad ? MB_ICONWARNING : MB_ICONINFORMATION));
    return core::kExitUsage;
  }
  HWND running = RunningProgram();
  if (!running) return core::kExitNotRunning;
  const std::string text = core::RemoteText(command);
  COPYDATASTRUCT data = {core::kRemoteTag, static_cast<DWORD>(text.size() + 1),
                         const_cast<char*>(text.c_str())};
  DWORD_PTR answer = 0;
  // The program answers at once and does the work afterwards: five seconds
  // without an answer is a program that hangs.
  const bool answered = SendMessageTimeoutA(running, WM_COPYDATA, 0,
                                            reinterpret_cast<LPARAM>(&data),
                                            SMTO_ABORTIFHUNG | SMTO_BLOCK, 5000, &answer) != 0;
  return core::ExitCodeFor(answered, static_cast<long>(answer));
}
