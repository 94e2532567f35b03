// What the tests and the stand-in shell (qov_shell.exe) say to each other.
// The stand-in's list view answers these sent messages; sent messages do not
// pass through WH_GETMESSAGE hooks, so asking does not disturb what is asked.
#pragma once
#include <windows.h>

namespace shellstandin {

enum : UINT {
  // Number of WM_STYLECHANGED (GWL_STYLE) the list view has received.
  kQueryStyleChanges = WM_APP + 1,
  // Number of messages the stand-in's own WH_GETMESSAGE hook on the list
  // view's thread has seen: that hook was there first, so every hook
  // installed later must pass the messages on for it to see them.
  kQueryChainedMessages = WM_APP + 2,
  // Sets the list view's style to lParam from its own thread.
  kSetStyle = WM_APP + 3,
  // Number of kMark thread messages the list view's thread has retrieved.
  kQueryMarks = WM_APP + 4,
  // Posted to the list view's thread: counted when retrieved, so a test
  // knows that everything posted before it has been through the hooks.
  kMark = WM_APP + 5,
};

}  // namespace shellstandin
