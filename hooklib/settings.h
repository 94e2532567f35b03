// The library's settings, kept as a copy in each process and read from the
// registry again only when the registry reports a change.
//
// Each key the library reads ("Hot key", "Key option", "Setting") is held
// open with a change notification on an event of its own; so is the company
// key HKCU\Software\QovSoft, watched over its whole subtree for keys created
// or deleted (or, while it does not exist, the nearest key above it for its
// creation).  A call then costs one wait with no time-out on those events.
// A signalled event (a change, a key closed, or the ending of the thread
// that asked for the notification, which ends the notification too) makes
// the next call ask again and read the values anew into a spare copy, which
// then replaces the current one whole.  No locks, no threads, no allocation.
#pragma once
#include "core/hook_values.h"
#include "hooklib/state.h"

namespace qov32 {

// The keyboard command hook's settings as one copy.
struct MouseSettings {
  core::HotKeyEntry hotKeys[kCommandCount];
  bool keyOptions[kKeyOptionCount];
};

// Reads the "Hot key" and "Key option" values again when their keys have
// changed since the last read (or were never read in this process).
void RefreshMouseSettings();
// Reads them now, whatever the notifications say.
void ReloadMouseSettings();

// The current copy, held for as long as the object lives: a new copy is
// never written over one that a thread still reads.
class CurrentMouseSettings {
 public:
  CurrentMouseSettings();
  ~CurrentMouseSettings();
  CurrentMouseSettings(const CurrentMouseSettings&) = delete;
  CurrentMouseSettings& operator=(const CurrentMouseSettings&) = delete;
  const MouseSettings& operator*() const { return *m_settings; }
  const MouseSettings* operator->() const { return m_settings; }

 private:
  long m_index;
  const MouseSettings* m_settings;
};

// HKCU\Software\QovSoft\QovDesktop\Setting "Desktop icon", read again when
// its key has changed; `reread` tells whether it was.
core::IconView CurrentDesktopIconView(bool* reread = nullptr);

// Closes every key and event the settings hold (the library is unloaded).
void CloseSettingsWatches();

}  // namespace qov32
