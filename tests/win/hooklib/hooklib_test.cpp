// The built QOV32.dll, loaded from its file and its exports called by name:
// each hook installed once, the Win32 calls each keyboard command and key
// option makes, and the cursor position the mouse hook notes and passes on.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "core/key_commands.h"
#include "support/testsupport.h"

using namespace qovtest;

namespace {

struct Qov32 {
  HMODULE module;

  // Calls an export with the types of the arguments given; 0 when it is missing.
  template <typename R, typename... A>
  R Call(const char* name, A... args) const {
    auto* function = reinterpret_cast<R(WINAPI*)(A...)>(
        reinterpret_cast<void*>(GetProcAddress(module, name)));
    return function ? function(args...) : R();
  }
  // The build's own copy, loaded once.
  static const Qov32& Get() {
    static const Qov32 dll = {LoadLibraryA(ProgramPath("QOV32.dll").c_str())};
    return dll;
  }
};

TEST(Qov32Exports, EachHookInstallsOnceUntilRemoved) {
  const Qov32& dll = Qov32::Get();
  AppKeyGuard keys("QovMouse");
  for (const std::string set : {"SetHookMessage", "SetHookMouse"}) {
    const HHOOK hook = dll.Call<HHOOK>(set.c_str(), DWORD{0});
    ASSERT_NE(hook, nullptr) << set;
    EXPECT_EQ(dll.Call<HHOOK>(set.c_str(), DWORD{1}), hook) << set;
    EXPECT_TRUE(dll.Call<BOOL>(("Un" + set).c_str())) << set;
    EXPECT_FALSE(dll.Call<BOOL>(("Un" + set).c_str())) << set;  // nothing left to remove
  }
  // The desktop hook needs a thread that exists; a failed installation keeps the last one.
  EXPECT_FALSE(dll.Call<BOOL>("SetHookDesktop", DWORD{0}));
  ASSERT_TRUE(dll.Call<BOOL>("SetHookDesktop", GetCurrentThreadId()));
  EXPECT_FALSE(dll.Call<BOOL>("SetHookDesktop", DWORD{0xFFFFFFF0u}));
  EXPECT_TRUE(dll.Call<BOOL>("UnSetHookDesktop"));
  EXPECT_FALSE(dll.Call<BOOL>("UnSetHookDesktop"));
}

const char kKeyOptionKey[] = "Software\\QovSoft\\QovMouse\\Key option";
constexpr WPARAM kConsumed = 0x200;

// A "Hot key" value by its UTF-16 name; a text as the ANSI one would store it.
void Bind(int command, const std::string& text, DWORD type = REG_SZ, size_t size = 0) {
  const auto* name = reinterpret_cast<const wchar_t*>(core::kCommandNames[command]);
  WCHAR wide[64] = L"";
  const int units = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, 64);
  if (type == REG_SZ)
    SHSetValueW(HKEY_CURRENT_USER, L"Software\\QovSoft\\QovMouse\\Hot key", name, type, wide,
                units * sizeof(WCHAR));
  else
    SHSetValueW(HKEY_CURRENT_USER, L"Software\\QovSoft\\QovMouse\\Hot key", name, type,
                text.c_str(), static_cast<DWORD>(size ? size : text.size() + 1));
}

// Sets Ctrl and Alt in this thread's key state, as GetKeyState reports them:
// the left Ctrl key, and the left Alt key or the right one (AltGr, which
// Windows reports with left Ctrl).
void HoldModifiers(bool ctrl, bool alt, bool rightAlt = false) {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = keys[VK_LCONTROL] = ctrl ? 0x80 : 0;
  keys[VK_MENU] = alt ? 0x80 : 0;
  keys[VK_LMENU] = alt && !rightAlt ? 0x80 : 0;
  keys[VK_RMENU] = alt && rightAlt ? 0x80 : 0;
  SetKeyboardState(keys);
}

bool CursorAt(int x, int y) {
  POINT p = {};
  return WaitUntil([&] { return GetCursorPos(&p) && p.x == x && p.y == y; }, 2000);
}

// The posts and the synthetic input of the hook, in the order it made them.
std::string g_calls;
HWND g_under, g_active;

std::string Hex(unsigned long long value) {
  char text[20];
  std::snprintf(text, sizeof(text), "%llx", value);
  return text;
}
BOOL WINAPI RecordPost(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  g_calls += (window == g_under ? "post " : "post elsewhere ") + Hex(message) + ' ' + Hex(wParam) +
             ' ' + (lParam == reinterpret_cast<LPARAM>(window) ? "self" : Hex(lParam)) + "; ";
  return TRUE;
}
VOID WINAPI RecordMouse(DWORD flags, DWORD dx, DWORD dy, DWORD, ULONG_PTR) {
  g_calls += "mouse " + Hex(flags) + ' ' + Hex(dx) + ' ' + Hex(dy) + "; ";
}
HWND WINAPI Under(POINT) { return g_under; }
HWND WINAPI Active() { return g_active; }

// The notice to the window under the cursor (control 0x77) at MAKELPARAM(x, y).
std::string Notice(const std::string& point) {
  return "post 210 770201 self; post 84 0 " + point + "; ";
}

// GetMsgProc called directly for messages taken from the queue, its posts,
// input, window at the cursor and active window recorded instead.
class KeyboardCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    // The window under the cursor: a child whose client area starts at (312, 184).
    m_parent = CreateWindowExA(0, "Static", "", WS_POPUP, 312, 184, 400, 400, nullptr, nullptr,
                               nullptr, nullptr);
    g_under = CreateWindowExA(0, "Static", "", WS_CHILD, 0, 0, 400, 400, m_parent,
                              reinterpret_cast<HMENU>(0x77), nullptr, nullptr);
    g_active = m_parent;
    for (const ImportStandIn& standIn : m_standIns) ASSERT_TRUE(standIn.Active());
    HoldModifiers(true, true);
  }
  void TearDown() override {
    HoldModifiers(false, false);
    DestroyWindow(m_parent);
  }
  WPARAM Run(UINT message, WPARAM key, WPARAM remove = PM_REMOVE) {
    g_calls.clear();
    MSG msg = {m_parent, message, key, 0x1F0001};
    m_dll.Call<LRESULT>("GetMsgProc", HC_ACTION, remove, reinterpret_cast<LPARAM>(&msg));
    return msg.wParam;
  }

  const Qov32& m_dll = Qov32::Get();
  const ImportStandIn m_standIns[4] = {{m_dll.module, "user32.dll", "PostMessageA", RecordPost},
                                       {m_dll.module, "user32.dll", "mouse_event", RecordMouse},
                                       {m_dll.module, "user32.dll", "WindowFromPoint", Under},
                                       {m_dll.module, "user32.dll", "GetActiveWindow", Active}};
  AppKeyGuard m_key{"QovMouse"};
  HWND m_parent = nullptr;
};

TEST_F(KeyboardCommands, NoticeTheWindowThenPlaceTheCursorOrClick) {
  Bind(core::kToCentre, "C    A   M");
  Bind(core::kToTopLeft, "C    A   M");  // later in the table: never runs
  Bind(core::kMoveRightSlow, "C    A   K");
  Bind(core::kToActiveWindow, "C    A   Y");
  Bind(core::kLeftClick, "C    A   Y");  // runs when there is no active window
  Bind(core::kRightClick, "C    A   X");
  Run(WM_KEYUP, 'K');  // the step counter starts again
  EXPECT_EQ(Run(WM_KEYDOWN, 'M', PM_NOREMOVE), static_cast<WPARAM>('M'));  // only looked at
  EXPECT_EQ(g_calls, "");
  EXPECT_EQ(Run(WM_KEYDOWN, 'M'), kConsumed);
  EXPECT_EQ(g_calls, Notice("1800200") + "mouse 8001 801f 802a; ");
  EXPECT_EQ(Run(WM_SYSKEYDOWN, 'K'), kConsumed);  // noticed at (512, 384), then at (513, 384)
  EXPECT_EQ(g_calls, Notice("1800200") + Notice("1800201") + "mouse 8001 805f 802a; ");
  EXPECT_EQ(Run(WM_KEYDOWN, 'X'), kConsumed);  // the right button goes down and up again
  EXPECT_EQ(g_calls, Notice("1800201") + "mouse 8001 805f 802a; mouse 8 0 0; mouse 10 0 0; ");
  EXPECT_EQ(Run(WM_KEYUP, 'X'), kConsumed);  // its key-up goes to no program, and clicks no more
  EXPECT_EQ(g_calls, "");
  // Outside the taskbar the button goes down for real first; (201, 200) in the client area.
  g_active = nullptr;
  EXPECT_EQ(Run(WM_KEYDOWN, 'Y'), kConsumed);
  EXPECT_EQ(g_calls, Notice("1800201") +
                         "mouse 2 0 0; post 201 0 c800c9; mouse 4 0 0; post 202 0 c800c9; ");
  EXPECT_EQ(Run(WM_KEYUP, 'Y'), kConsumed);  // the key-up of the press clicks no more
  EXPECT_EQ(g_calls, Notice("1800201"));
  g_active = m_parent;
  EXPECT_EQ(Run(WM_KEYDOWN, 'Y'), kConsumed);  // to (317, 189)
  EXPECT_EQ(g_calls, Notice("bd013d") + "mouse 8001 4f53 3f14; ");
  // Inside the taskbar (its border counts) a posted click comes first.
  RECT bar = {};
  ASSERT_TRUE(GetWindowRect(FindWindowA("Shell_TrayWnd", ""), &bar));
  MOUSEHOOKSTRUCT move = {{bar.left, bar.top}, nullptr, HTCLIENT, 0};
  m_dll.Call<LRESULT>("MouseProc", HC_ACTION, WPARAM{WM_MOUSEMOVE},
                      reinterpret_cast<LPARAM>(&move));
  const std::string at = Hex(MAKELPARAM(bar.left - 312, bar.top - 184));
  const std::string down = "post 201 0 " + at + "; ", up = "post 202 0 " + at + "; ";
  g_active = nullptr;
  EXPECT_EQ(Run(WM_KEYDOWN, 'Y'), kConsumed);
  EXPECT_EQ(g_calls, Notice(Hex(MAKELPARAM(bar.left, bar.top))) + down + up + down +
                         "mouse 4 0 0; " + up);
  HoldModifiers(true, false);
  EXPECT_EQ(Run(WM_KEYDOWN, 'M'), static_cast<WPARAM>('M'));
  EXPECT_EQ(g_calls, "");
  // Called here with another process's key (Windows runs a hook of the other
  // bitness on the thread that installed it): passed on untouched.
  HoldModifiers(true, true);
  MSG other = {FindWindowA("Shell_TrayWnd", ""), WM_KEYDOWN, 'M', 0x1F0001};
  m_dll.Call<LRESULT>("GetMsgProc", HC_ACTION, WPARAM{PM_REMOVE}, reinterpret_cast<LPARAM>(&other));
  EXPECT_TRUE(other.wParam == 'M' && g_calls.empty());
}

TEST_F(KeyboardCommands, KeyOptionsActOnTheKeyDownsTheCommandsLeft) {
  // Values count by their bytes, whatever their type.
  for (const char* option : {"No insert key", "EqualEx key", "SpaceEx key"})
    SetDword(kKeyOptionKey, option, 1);
  SetRaw(kKeyOptionKey, "No caps key", REG_SZ, "1", 2);
  SetRaw(kKeyOptionKey, "CommaEx key", REG_BINARY, "\1", 1);
  Bind(core::kToLeftEdge, "C        \x1C", REG_DWORD);  // Ctrl + Convert
  EXPECT_EQ(Run(WM_KEYDOWN, 0x1C), static_cast<WPARAM>(VK_SPACE));
  HoldModifiers(true, false);
  EXPECT_EQ(Run(WM_KEYDOWN, 0x1C), kConsumed);
  // A hot key of 32 bytes without a NUL holds; one byte more is too long to read.
  const std::string tail(22, 'y');
  Bind(core::kToRightEdge, "C        Z" + tail, REG_BINARY, 32);
  Bind(core::kToTopEdge, "C        Q" + tail);
  EXPECT_EQ(Run(WM_KEYDOWN, 'Z'), kConsumed);
  EXPECT_EQ(Run(WM_KEYDOWN, 'Q'), static_cast<WPARAM>('Q'));
  EXPECT_EQ(Run(WM_KEYDOWN, VK_CAPITAL), 3u);
  EXPECT_EQ(Run(WM_SYSKEYDOWN, VK_NUMPAD0), 3u);
  EXPECT_EQ(g_calls, "post elsewhere 102 2c 0; ");
  EXPECT_EQ(Run(WM_SYSKEYDOWN, VK_RETURN), 3u);
  EXPECT_EQ(g_calls, "post elsewhere 102 3d 0; ");
  // Read again at each key-down after a change, the key deleted and created
  // again each time, with the same handles held.
  const int handles = OpenHandles();
  for (DWORD round = 0; round < 100; ++round) {
    DeleteAppKey("QovMouse");
    SetDword(kKeyOptionKey, "No insert key", round % 2 ? 1 : 256);  // 256: the low byte is 0
    ASSERT_EQ(Run(WM_KEYDOWN, VK_INSERT), round % 2 ? 3u : WPARAM{VK_INSERT}) << round;
  }
  EXPECT_LE(OpenHandles(), handles);
  const unsigned long long qword = 1;  // more than an option's four bytes: off
  SetRaw(kKeyOptionKey, "No insert key", REG_QWORD, &qword, sizeof(qword));
  EXPECT_EQ(Run(WM_KEYDOWN, VK_INSERT), WPARAM{VK_INSERT});
}

// Two keyboard layouts as VkKeyScanEx answers for them, every call counted:
// both type ASCII without AltGr, and one types the euro sign with it
// (Ctrl+Alt+E).  New handles in every run, which the library has never seen.
HKL g_layout, g_altGrLayout, g_plainLayout;
int g_scans;
HKL WINAPI Layout(DWORD) { return g_layout; }
SHORT WINAPI Scan(WCHAR c, HKL layout) {
  ++g_scans;
  if (layout == g_altGrLayout && c == 0x20AC) return 0x645;
  return c >= 0x20 && c < 0x7F ? static_cast<SHORT>(c) : -1;
}

TEST_F(KeyboardCommands, TextPassesOnAndOnlyKeysRunCommands) {
  Bind(core::kMoveUpSlow, "C    A   \x81\xAA");  // Ctrl+Alt+↑
  Bind(core::kToStartButton, "C    A   S");
  Run(WM_KEYDOWN, 0);  // a key-down reads them
  // A character ("&" is the Up key's 0x26), a system character, a timer
  // and a command numbered as the Up key, with Ctrl+Alt down.
  for (UINT message : {WM_CHAR, WM_SYSCHAR, WM_TIMER, WM_COMMAND}) {
    EXPECT_EQ(Run(message, 0x26), WPARAM{0x26}) << message;
    EXPECT_EQ(g_calls, "") << message;
  }
  // A tap of Ctrl+Alt+↑ from (512, 384): a pixel at the key-down, one at the key-up.
  Run(WM_KEYUP, VK_UP);  // the step counter starts again
  MOUSEHOOKSTRUCT move = {{512, 384}, nullptr, HTCLIENT, 0};
  m_dll.Call<LRESULT>("MouseProc", HC_ACTION, WPARAM{WM_MOUSEMOVE}, reinterpret_cast<LPARAM>(&move));
  EXPECT_EQ(Run(WM_KEYDOWN, VK_UP), kConsumed);
  EXPECT_EQ(g_calls, Notice("1800200") + Notice("17f0200") + "mouse 8001 801f 7fd4; ");
  EXPECT_EQ(Run(WM_KEYUP, VK_UP), kConsumed);
  EXPECT_EQ(g_calls, Notice("17f0200") + Notice("17e0200") + "mouse 8001 801f 7f7f; ");

  // AltGr+S types a letter on a layout with AltGr: Windows reports Ctrl+Alt+S.
  static UINT_PTR runs = 0;
  ++runs;
  g_altGrLayout = reinterpret_cast<HKL>(0x7E000000 + runs * 2);
  g_plainLayout = reinterpret_cast<HKL>(0x7E000001 + runs * 2);
  const ImportStandIn layouts[] = {{m_dll.module, "user32.dll", "GetKeyboardLayout", Layout},
                                   {m_dll.module, "user32.dll", "VkKeyScanExW", Scan}};
  ASSERT_TRUE(layouts[0].Active() && layouts[1].Active());
  g_layout = g_altGrLayout;
  g_scans = 0;
  HoldModifiers(true, true, true);  // left Ctrl and right Alt
  EXPECT_EQ(Run(WM_KEYDOWN, 'Q'), WPARAM{'Q'});  // no command bound: the layout is not asked
  EXPECT_EQ(g_scans, 0);
  EXPECT_EQ(Run(WM_KEYDOWN, 'S'), WPARAM{'S'});
  EXPECT_EQ(g_calls, "");
  const int first = g_scans;
  EXPECT_GT(first, 0);
  EXPECT_EQ(Run(WM_KEYUP, 'S'), WPARAM{'S'});
  EXPECT_EQ(g_scans, first);  // the layout is asked once
  // Left Ctrl with left Alt runs the command on every layout; right Alt where there is no AltGr too.
  HoldModifiers(true, true);
  EXPECT_EQ(Run(WM_KEYDOWN, 'S'), kConsumed);
  g_layout = g_plainLayout;
  HoldModifiers(true, true, true);
  EXPECT_EQ(Run(WM_KEYDOWN, 'S'), kConsumed);
  EXPECT_GT(g_scans, first);
  // Both answers are kept: keys on either layout ask no more.
  const int both = g_scans;
  EXPECT_EQ(Run(WM_KEYUP, 'S'), kConsumed);
  g_layout = g_altGrLayout;
  EXPECT_EQ(Run(WM_KEYDOWN, 'S'), WPARAM{'S'});
  EXPECT_EQ(g_scans, both);
}

void MoveMouse(int x, int y) {
  mouse_event(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x * 65535 / 1023, y * 65535 / 767, 0, 0);
  ASSERT_TRUE(CursorAt(x, y));
  Pump(50);
}

TEST(MouseHook, NotesMovesInTheClientAreaAndPassesThemOn) {
  AppKeyGuard keys("QovMouse");
  // A captioned window of this thread: moves over its title bar are non-client.
  HWND framed = CreateWindowExA(0, "#32770", "framed", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100,
                                300, 300, nullptr, nullptr, nullptr, nullptr);
  // Another copy of the library, its mouse hook installed first: it sees
  // the moves only when the later one passes them on.
  // A name of its own: a copy that other processes still hold cannot be replaced.
  char temp[MAX_PATH], chainPath[MAX_PATH + 32];
  GetTempPathA(MAX_PATH, temp);
  std::snprintf(chainPath, sizeof(chainPath), "%sQOV32chain%lu.dll", temp, GetCurrentProcessId());
  ASSERT_TRUE(CopyFileA(ProgramPath("QOV32.dll").c_str(), chainPath, FALSE));
  const Qov32 chain = {LoadLibraryA(chainPath)};
  const Qov32& dll = Qov32::Get();
  ASSERT_TRUE(chain.Call<HHOOK>("SetHookMouse", DWORD{0}));
  ASSERT_TRUE(dll.Call<HHOOK>("SetHookMouse", DWORD{0}));
  // Wine's desktop reports the point each real move leaves as a move of its own, a little
  // later.  So the command's own move is only recorded, and each real move leaves a point
  // whose late report changes nothing: the title bar is left from the title bar.
  const ImportStandIn placed[] = {{dll.module, "user32.dll", "mouse_event", RecordMouse},
                                  {chain.module, "user32.dll", "mouse_event", RecordMouse}};
  Bind(core::kMoveRightSlow, "C        K");
  HoldModifiers(true, false);
  for (const Qov32* library : {&dll, &chain}) {
    MoveMouse(200, 250);
    MoveMouse(150, 110);  // the title bar
    MoveMouse(200, 110);
    g_calls.clear();
    // Any key-down reads the settings; the key-up moves one pixel.
    for (MSG key : {MSG{nullptr, WM_KEYDOWN, 0, 0}, MSG{nullptr, WM_KEYUP, 'K', 0}})
      library->Call<LRESULT>("GetMsgProc", HC_ACTION, WPARAM{PM_REMOVE},
                             reinterpret_cast<LPARAM>(&key));
    EXPECT_EQ(g_calls, "mouse 8001 324c 5370; ")  // to (201, 250)
        << (library == &chain ? "earlier hook" : "this hook");
  }
  HoldModifiers(false, false);
  chain.Call<BOOL>("UnSetHookMouse");
  dll.Call<BOOL>("UnSetHookMouse");
  DestroyWindow(framed);
}

}  // namespace
