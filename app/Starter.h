// A start with a command: it hands the command to the program already
// running on this desktop, and never runs a view of its own.
#pragma once
#include "core/remote.h"

// Sends `command` to the running program and returns the starter's exit
// code (core::StarterExit); shows the usage for "/?" and for anything not
// understood, before looking for the program.
int RunStarter(const core::RemoteCommand& command);
