// The keyboard command hook and the mouse position hook of the built
// QOV32.dll, installed through its exports, acting on this process's window
// and on a window of another process.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/key_commands.h"
#include "hooklib/qov32_loaded.h"
#include "support/testsupport.h"

using namespace qovtest;

namespace {

const char kHotKeyKey[] = "Software\\QovSoft\\QovMouse\\Hot key";
const char kKeyOptionKey[] = "Software\\QovSoft\\QovMouse\\Key option";
constexpr WPARAM kConsumed = 0x200;

void Bind(int command, const std::string& text) {
  SetRaw(kHotKeyKey, core::kCommandNames[command], REG_SZ, text.c_str(),
         static_cast<DWORD>(text.size() + 1));
}

// Sets Ctrl and Alt in this thread's key state, as GetKeyState reports them.
void HoldModifiers(bool ctrl, bool alt) {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = keys[VK_LCONTROL] = ctrl ? 0x80 : 0;
  keys[VK_MENU] = keys[VK_LMENU] = alt ? 0x80 : 0;
  SetKeyboardState(keys);
}

POINT Cursor() {
  POINT p = {};
  GetCursorPos(&p);
  return p;
}

bool CursorAt(int x, int y) {
  return WaitUntil([&] { return Cursor().x == x && Cursor().y == y; }, 2000);
}

// At the point, and still there once every move already made has arrived.
bool CursorStaysAt(int x, int y) {
  if (!CursorAt(x, y)) return false;
  Pump(150);
  return Cursor().x == x && Cursor().y == y;
}

struct Logged {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};
std::vector<Logged> g_log;

LRESULT CALLBACK LogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN: case WM_KEYUP: case WM_SYSKEYDOWN: case WM_SYSKEYUP: case WM_CHAR:
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_RBUTTONDOWN: case WM_RBUTTONUP:
      g_log.push_back({message, wParam, lParam});
      return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

class KeyboardHook : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = LogProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QovKeyLog";
    RegisterClassA(&wc);
    // Over the centre of the 1024 x 768 desktop, client origin at (312, 184)+.
    m_window = CreateWindowExA(0, "QovKeyLog", "keys", WS_POPUP | WS_VISIBLE, 312, 184, 400, 400,
                               nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(m_window, nullptr);
    Activate(m_window);
    ASSERT_NE(m_dll.SetHookMessage(0), nullptr);
    g_log.clear();
  }
  void TearDown() override {
    HoldModifiers(false, false);
    m_dll.UnSetHookMouse();
    m_dll.UnSetHookMessage();
    DestroyWindow(m_window);
  }

  // Posts a key message to the window; the wParam it arrived with.
  WPARAM Send(UINT message, WPARAM key) {
    const size_t before = g_log.size();
    PostMessageA(m_window, message, key, 0x1F0001);
    for (size_t i = before;; ++i) {
      if (!WaitUntil([&] { return g_log.size() > i; }, 2000)) return 0xDEAD;
      if (g_log[i].message == message) return g_log[i].wParam;
    }
  }

  Qov32& m_dll = Qov32::Get();
  AppKeyGuard m_key{"QovMouse"};
  HWND m_window = nullptr;
};

TEST_F(KeyboardHook, MoveAndPlaceCommandsConsumeTheKeyAndPlaceTheCursor) {
  Bind(core::kToCentre, "C        M");
  Bind(core::kMoveRightSlow, "C        K");
  Bind(core::kMoveDownFast, "C        J");
  Bind(core::kToRightEdge, "C    A   R");
  Bind(core::kToBottomLeft, "     A   B");
  Bind(core::kToTopLeft, "C        T");
  Bind(core::kToBottomRight, "C        T");  // later in the table: never runs
  Bind(core::kToActiveWindow, "C        W");
  Bind(core::kMoveLeftSlow, "C    A");       // no key column
  Bind(core::kToStartButton, "C        S");
  HoldModifiers(true, false);
  EXPECT_EQ(Send(WM_KEYDOWN, 'M'), kConsumed);
  EXPECT_TRUE(CursorAt(512, 384));
  // A tap: one pixel at the key-down, one at the key-up.
  EXPECT_EQ(Send(WM_KEYDOWN, 'K'), kConsumed);
  EXPECT_TRUE(CursorAt(513, 384));
  EXPECT_EQ(Send(WM_KEYUP, 'K'), kConsumed);
  EXPECT_TRUE(CursorAt(514, 384));
  // Held: the tenth key-down moves two pixels.
  for (int i = 0; i < 10; ++i) Send(WM_KEYDOWN, 'K');
  EXPECT_TRUE(CursorAt(514 + 9 + 2, 384));
  Send(WM_KEYUP, 'K');
  // Any message carrying the key's code runs the command; fast is ten.
  EXPECT_EQ(Send(WM_KEYUP, 'J'), kConsumed);
  EXPECT_TRUE(CursorAt(526, 394));
  EXPECT_EQ(Send(WM_KEYDOWN, 'T'), kConsumed);
  EXPECT_TRUE(CursorAt(0, 0));
  EXPECT_EQ(Send(WM_KEYDOWN, 'W'), kConsumed);
  EXPECT_TRUE(CursorAt(317, 189));
  // Unbound keys, the wrong modifiers and a missing key column pass.
  EXPECT_EQ(Send(WM_KEYDOWN, 'Q'), static_cast<WPARAM>('Q'));
  EXPECT_EQ(Send(WM_KEYDOWN, 'R'), static_cast<WPARAM>('R'));
  EXPECT_EQ(Send(WM_KEYDOWN, 0), 0u);
  HoldModifiers(true, true);
  EXPECT_EQ(Send(WM_SYSKEYDOWN, 'M'), static_cast<WPARAM>('M'));
  EXPECT_EQ(Send(WM_SYSKEYDOWN, 'R'), kConsumed);
  EXPECT_TRUE(CursorAt(1014, 189));
  HoldModifiers(false, true);
  EXPECT_EQ(Send(WM_SYSKEYDOWN, 'B'), kConsumed);
  EXPECT_TRUE(CursorAt(0, 758));
  HoldModifiers(false, false);
  EXPECT_EQ(Send(WM_KEYDOWN, 'B'), static_cast<WPARAM>('B'));
  // A change in the registry applies from the next key-down.
  Bind(core::kToCentre, "C        N");
  HoldModifiers(true, false);
  EXPECT_EQ(Send(WM_KEYDOWN, 'M'), static_cast<WPARAM>('M'));
  EXPECT_EQ(Send(WM_KEYDOWN, 'N'), kConsumed);
  EXPECT_TRUE(CursorAt(512, 384));
  // The test desktop's taskbar has a Start button.
  RECT start = {};
  ASSERT_TRUE(GetWindowRect(
      FindWindowExA(FindWindowA("Shell_TrayWnd", nullptr), nullptr, "Button", nullptr), &start));
  EXPECT_EQ(Send(WM_KEYDOWN, 'S'), kConsumed);
  EXPECT_TRUE(CursorAt(start.left + 5, start.top + 5));
  // A key-down looked at before it is taken acts once, when taken.
  Send(WM_KEYDOWN, 'N');
  PostMessageA(m_window, WM_KEYDOWN, 'K', 0x1F0001);
  MSG look = {}, take = {};
  ASSERT_TRUE(PeekMessageA(&look, m_window, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE));
  EXPECT_EQ(look.wParam, static_cast<WPARAM>('K'));
  ASSERT_TRUE(PeekMessageA(&take, m_window, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
  EXPECT_EQ(take.wParam, kConsumed);
  EXPECT_TRUE(CursorStaysAt(513, 384));
}

TEST_F(KeyboardHook, ClicksReachTheWindowUnderTheCursor) {
  Bind(core::kToCentre, "C        M");
  Bind(core::kLeftClick, "C        Z");
  Bind(core::kRightClick, "C        X");
  HoldModifiers(true, false);
  Send(WM_KEYDOWN, 'M');
  ASSERT_TRUE(CursorAt(512, 384));
  g_log.clear();
  EXPECT_EQ(Send(WM_KEYDOWN, 'Z'), kConsumed);
  const LPARAM client = MAKELPARAM(200, 200);
  auto count = [](UINT message) {
    int n = 0;
    for (const Logged& l : g_log) n += l.message == message;
    return n;
  };
  // Two presses: the posted pair and the real button through mouse_event.
  EXPECT_TRUE(WaitUntil([&] { return count(WM_LBUTTONUP) == 2; }, 2000));
  Pump(50);
  EXPECT_EQ(count(WM_LBUTTONDOWN), 2);
  EXPECT_EQ(count(WM_LBUTTONUP), 2);
  // The posted press carries no button state, the real one MK_LBUTTON.
  std::vector<UINT> posted;
  int realDowns = 0;
  for (const Logged& l : g_log) {
    if (l.lParam != client) continue;
    if (l.message == WM_LBUTTONDOWN && l.wParam == MK_LBUTTON) ++realDowns;
    if (l.wParam == 0 && posted.size() < 2) posted.push_back(l.message);
  }
  EXPECT_EQ(posted, (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP}));
  EXPECT_EQ(realDowns, 1);
  // The key-up of the press clicks no more.
  g_log.clear();
  EXPECT_EQ(Send(WM_KEYUP, 'Z'), kConsumed);
  Pump(50);
  EXPECT_EQ(count(WM_LBUTTONDOWN), 0);

  // One press, one right click at the cursor, and the button is up again.
  g_log.clear();
  EXPECT_EQ(Send(WM_KEYDOWN, 'X'), kConsumed);
  EXPECT_EQ(Send(WM_KEYUP, 'X'), kConsumed);
  EXPECT_TRUE(WaitUntil([&] { return count(WM_RBUTTONUP) >= 1; }, 2000));
  Pump(100);
  std::vector<UINT> right;
  for (const Logged& l : g_log)
    if (l.lParam == client && (l.message == WM_RBUTTONDOWN || l.message == WM_RBUTTONUP))
      right.push_back(l.message);
  EXPECT_EQ(right, (std::vector<UINT>{WM_RBUTTONDOWN, WM_RBUTTONUP}));
  EXPECT_GE(GetAsyncKeyState(VK_RBUTTON), 0);
  EXPECT_TRUE(CursorAt(512, 384));
}

TEST_F(KeyboardHook, KeyOptionsChangeKeyDownsAfterTheCommands) {
  for (const char* option : {"No insert key", "No caps key", "CommaEx key", "EqualEx key",
                             "SpaceEx key"})
    SetDword(kKeyOptionKey, option, 1);
  Bind(core::kToLeftEdge, "C        \x1C");  // Ctrl + Convert
  HoldModifiers(false, false);
  EXPECT_EQ(Send(WM_KEYDOWN, VK_INSERT), 3u);
  EXPECT_EQ(Send(WM_KEYUP, VK_INSERT), static_cast<WPARAM>(VK_INSERT));
  EXPECT_EQ(Send(WM_SYSKEYDOWN, VK_INSERT), static_cast<WPARAM>(VK_INSERT));
  EXPECT_EQ(Send(WM_KEYDOWN, VK_CAPITAL), 3u);
  for (WPARAM key : {0x1C, 0x1D, 0xF2}) {
    EXPECT_EQ(Send(WM_KEYDOWN, key), static_cast<WPARAM>(VK_SPACE)) << key;
    EXPECT_EQ(Send(WM_KEYUP, key), key);
  }
  g_log.clear();
  EXPECT_EQ(Send(WM_SYSKEYDOWN, VK_NUMPAD0), 3u);
  EXPECT_EQ(Send(WM_SYSKEYDOWN, VK_NUMPAD0), 3u);
  EXPECT_EQ(Send(WM_SYSKEYDOWN, VK_RETURN), 3u);
  EXPECT_EQ(Send(WM_KEYDOWN, VK_RETURN), static_cast<WPARAM>(VK_RETURN));  // types "\r"
  Pump(30);
  std::string typed;
  for (const Logged& l : g_log)
    if (l.message == WM_CHAR && l.wParam != '\r') typed += static_cast<char>(l.wParam);
  EXPECT_EQ(typed, ",,=");
  // A key a command consumed is left alone.
  HoldModifiers(true, false);
  EXPECT_EQ(Send(WM_KEYDOWN, 0x1C), kConsumed);
  // An option value of 256 is off.
  SetDword(kKeyOptionKey, "No insert key", 256);
  EXPECT_EQ(Send(WM_KEYDOWN, VK_INSERT), static_cast<WPARAM>(VK_INSERT));
}

void MoveMouse(int x, int y) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = core::AbsoluteCoordinate(x, GetSystemMetrics(SM_CXSCREEN));
  input.mi.dy = core::AbsoluteCoordinate(y, GetSystemMetrics(SM_CYSCREEN));
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof(input));
}

TEST_F(KeyboardHook, CommandsGoOnFromWhereTheMouseMovedInTheClientArea) {
  // A captioned window: moves over its title bar are non-client.
  HWND framed = CreateWindowExA(0, "QovKeyLog", "framed", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100,
                                100, 300, 300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(framed, nullptr);
  // A mouse hook installed earlier: another copy of the library, whose own
  // commands show where it saw the mouse last.
  char chainPath[MAX_PATH];
  GetTempPathA(MAX_PATH, chainPath);
  std::strcat(chainPath, "QOV32chain.dll");
  ASSERT_TRUE(CopyFileA(ProgramPath("QOV32.dll").c_str(), chainPath, FALSE));
  HMODULE chain = LoadLibraryA(chainPath);
  auto chainSetHookMouse = reinterpret_cast<HHOOK(WINAPI*)(DWORD)>(
      reinterpret_cast<void*>(GetProcAddress(chain, "SetHookMouse")));
  auto chainGetMsgProc = reinterpret_cast<HOOKPROC>(
      reinterpret_cast<void*>(GetProcAddress(chain, "GetMsgProc")));
  ASSERT_TRUE(chainSetHookMouse && chainGetMsgProc && chainSetHookMouse(0));
  ASSERT_NE(m_dll.SetHookMouse(0), nullptr);
  Bind(core::kMoveRightSlow, "C        K");
  HoldModifiers(true, false);
  MoveMouse(200, 250);
  ASSERT_TRUE(CursorAt(200, 250));
  Pump(50);
  EXPECT_EQ(Send(WM_KEYDOWN, 'K'), kConsumed);
  EXPECT_TRUE(CursorAt(201, 250));
  MoveMouse(200, 110);  // the title bar
  ASSERT_TRUE(CursorAt(200, 110));
  Pump(50);
  Send(WM_KEYUP, 'K');
  EXPECT_TRUE(CursorAt(202, 250));
  // The earlier hook saw the moves too: this hook passed them on.
  MoveMouse(300, 260);
  ASSERT_TRUE(CursorAt(300, 260));
  Pump(50);
  MSG key = {m_window, WM_KEYDOWN, 'K', 0x1F0001};
  chainGetMsgProc(HC_ACTION, PM_REMOVE, reinterpret_cast<LPARAM>(&key));
  EXPECT_EQ(key.wParam, kConsumed);
  EXPECT_TRUE(CursorAt(301, 260));
  reinterpret_cast<BOOL(WINAPI*)()>(
      reinterpret_cast<void*>(GetProcAddress(chain, "UnSetHookMouse")))();
  DestroyWindow(framed);
}

TEST_F(KeyboardHook, WorksInAnotherProcess) {
  Bind(core::kToCentre, "C    A   M");
  Bind(core::kMoveLeftFast, "C    A   K");
  SetDword(kKeyOptionKey, "No insert key", 1);
  WindowHost host;
  // The other program looks at each message before it takes it.
  ASSERT_TRUE(host.Start({"|other|100,100,200,200|cap"}));
  HWND other = host.Windows()[0];
  auto send = [&](UINT message, WPARAM key) {
    auto count = reinterpret_cast<INT_PTR>(GetPropA(other, "keys"));
    PostMessageA(other, message, key, 0);
    if (!WaitUntil([&] { return reinterpret_cast<INT_PTR>(GetPropA(other, "keys")) > count; }))
      return WPARAM{0xDEAD};
    return reinterpret_cast<WPARAM>(GetPropA(other, "key"));
  };
  EXPECT_EQ(send(WM_SYSKEYDOWN, 'M'), kConsumed);
  EXPECT_TRUE(CursorAt(512, 384));
  EXPECT_EQ(send(WM_SYSKEYDOWN, 'K'), kConsumed);
  EXPECT_TRUE(CursorStaysAt(502, 384));
  EXPECT_EQ(send(WM_KEYDOWN, VK_INSERT), 3u);
  EXPECT_EQ(send(WM_SYSKEYDOWN, 'Q'), static_cast<WPARAM>('Q'));
  // Keys deleted, and created again after that: each applies at the next key-down.
  DeleteAppKey("QovMouse");
  EXPECT_EQ(send(WM_SYSKEYDOWN, 'M'), static_cast<WPARAM>('M'));
  EXPECT_EQ(send(WM_KEYDOWN, VK_INSERT), static_cast<WPARAM>(VK_INSERT));
  Bind(core::kToTopLeft, "C    A   N");
  EXPECT_EQ(send(WM_SYSKEYDOWN, 'N'), kConsumed);
  EXPECT_TRUE(CursorAt(0, 0));
  // Removed: the other process's keys pass untouched.
  EXPECT_TRUE(m_dll.UnSetHookMessage());
  EXPECT_EQ(send(WM_SYSKEYDOWN, 'N'), static_cast<WPARAM>('N'));
}

}  // namespace
