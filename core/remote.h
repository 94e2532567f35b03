// The command line of a start while the program runs: it drives the program
// already running on the desktop, which takes the command in a WM_COPYDATA
// message.  Both ends parse here, so that the running program takes only
// what a starter could have sent.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace core {

enum class Remote {
  kNone,      // no switch: an ordinary start
  kUsage,     // "/?"
  kBad,       // an unknown switch, a malformed page, anything else
  kPage,
  kOverview,
  kGather,
  kPin,
  kJump,
  kSettings,
  kExit,
};

enum class PageMove { kLeft, kRight, kUp, kDown, kHome, kAt };

struct RemoteCommand {
  Remote command = Remote::kNone;
  PageMove move = PageMove::kHome;
  int col = 0, row = 0;  // kAt: the page, column and row counted from 1
};

// The window class of the running program's main window, by which a
// starter finds it.
inline constexpr char kMainWindowClass[] = "QovDesktopView";

// A whole command line less the program's name (quoted or not) before it.
std::string_view ArgumentsOf(std::string_view commandLine);

// The arguments after the program's name: one switch ('/' or '-', any case)
// and, for "/page", one of left, right, up, down, home or "C,R".
RemoteCommand ParseArguments(std::string_view arguments);

// The text a command travels in, NUL included: its switch and argument as a
// user types them ("/page 2,1").
std::string RemoteText(const RemoteCommand& command);

// What the running program makes of the bytes it received: the command, or
// kBad unless they are at most kMaxRemoteText bytes ending in their only NUL
// and hold one command a starter sends.
constexpr std::size_t kMaxRemoteText = 64;
RemoteCommand ParseRemoteText(const void* bytes, std::size_t size);

// WM_COPYDATA's dwData for these messages; anything else is not for us.
constexpr unsigned long kRemoteTag = 0x51564443;  // "QVDC"

// The running program's answer, and a starter's exit code.
enum RemoteAnswer { kRefused = 0, kTaken = 1, kPageOutside = 2 };
enum StarterExit { kExitDone = 0, kExitNotRunning = 1, kExitUsage = 2, kExitNoAnswer = 3 };
// The exit code for an answer; `answered` false when none came in time.
int ExitCodeFor(bool answered, long answer);

}  // namespace core
