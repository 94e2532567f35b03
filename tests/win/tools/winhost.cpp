// Windows of "another program" for the tests.
//
//   qov_winhost.exe [--ready EVENT] WINDOW...
//   WINDOW = CLASS|TITLE|X,Y,W,H|FLAGS
//
// Creates one top-level window per argument and signals the named event when
// all exist.  An empty CLASS means the host's own class.  FLAGS letters:
// m minimised, h hidden, c and a hold Ctrl and Alt down in the host's key
// state, o a pop-up (as a message box or a Find box is) owned by the window
// before it.
// A window posted WM_APP + 1 makes the host stop pumping messages for wParam
// milliseconds: its windows then hang.  Each window carries
// the 1-based number of its argument in the window property "QovIndex"
// (window properties are readable from other processes), the wParam of the
// last key message it received in "key" and their number in "keys".  The program ends with its last window.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

int g_windows = 0;

LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP: {
      SetPropA(hwnd, "key", reinterpret_cast<HANDLE>(wParam));
      auto count = reinterpret_cast<INT_PTR>(GetPropA(hwnd, "keys")) + 1;
      SetPropA(hwnd, "keys", reinterpret_cast<HANDLE>(count));
      return 0;
    }
    case WM_APP + 1:
      Sleep(static_cast<DWORD>(wParam));
      return 0;
    case WM_DESTROY:
      RemovePropA(hwnd, "key");
      RemovePropA(hwnd, "keys");
      RemovePropA(hwnd, "QovIndex");
      if (--g_windows == 0) PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end - start));
    if (end == std::string::npos) return parts;
    start = end + 1;
  }
}

HWND g_last = nullptr;

bool CreateHostWindow(HINSTANCE instance, const std::string& layout, int index) {
  std::vector<std::string> field = Split(layout, '|');
  if (field.size() < 3) return false;
  std::vector<std::string> rect = Split(field[2], ',');
  if (rect.size() != 4) return false;
  const std::string flags = field.size() > 3 ? field[3] : std::string();
  std::string className = field[0].empty() ? "QovTestHost" : field[0];
  if (!field[0].empty()) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = className.c_str();
    RegisterClassA(&wc);  // fails harmlessly when registered before
  }
  const bool owned = flags.find('o') != std::string::npos;
  DWORD style = owned ? WS_POPUP | WS_CAPTION | WS_SYSMENU : WS_OVERLAPPEDWINDOW;
  HWND hwnd = CreateWindowExA(0, className.c_str(), field[1].c_str(), style,
                              std::atoi(rect[0].c_str()), std::atoi(rect[1].c_str()),
                              std::atoi(rect[2].c_str()), std::atoi(rect[3].c_str()),
                              owned ? g_last : nullptr, nullptr,
                              instance, nullptr);
  if (!hwnd) return false;
  g_last = hwnd;
  ++g_windows;
  // Tells the tests which argument made the window (window properties are
  // readable from other processes).
  SetPropA(hwnd, "QovIndex", reinterpret_cast<HANDLE>(static_cast<INT_PTR>(index)));
  if (flags.find('c') != std::string::npos || flags.find('a') != std::string::npos) {
    BYTE keys[256];
    GetKeyboardState(keys);
    if (flags.find('c') != std::string::npos) keys[VK_CONTROL] = keys[VK_LCONTROL] = 0x80;
    if (flags.find('a') != std::string::npos) keys[VK_MENU] = keys[VK_LMENU] = 0x80;
    SetKeyboardState(keys);
  }
  if (flags.find('h') != std::string::npos) return true;
  int show = SW_SHOWNOACTIVATE;
  if (flags.find('m') != std::string::npos) show = SW_SHOWMINNOACTIVE;
  ShowWindow(hwnd, show);
  return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = HostProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = "QovTestHost";
  RegisterClassA(&wc);

  std::string readyEvent;
  for (int i = 1; i < __argc; ++i) {
    if (std::strcmp(__argv[i], "--ready") == 0 && i + 1 < __argc) {
      readyEvent = __argv[++i];
      continue;
    }
    if (!CreateHostWindow(instance, __argv[i], g_windows + 1)) return 2;
  }
  if (!readyEvent.empty()) {
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, readyEvent.c_str());
    if (ready) {
      SetEvent(ready);
      CloseHandle(ready);
    }
  }
  if (g_windows == 0) return 0;
  MSG msg;
  for (;;) {
    if (GetMessageA(&msg, nullptr, 0, 0) <= 0) break;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
