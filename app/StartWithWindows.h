// Starting with Windows: the value "QovDesktop" under
// HKCU\Software\Microsoft\Windows\CurrentVersion\Run, which Windows starts at
// log-on, holding the quoted full path of the program.
#pragma once

namespace startup {

// Whether the value names this program where it is now.
bool IsOn();
// Writes the value for this program where it is now (a moved program is put
// right), or removes it where it names this program or a program no longer
// there: a value of another copy that still exists is that copy's.
void Set(bool on);

}  // namespace startup
