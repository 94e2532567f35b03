#include "hooklib/settings.h"

#include <cstring>

namespace qov32 {

namespace {

const char kHotKeyPath[] = "Software\\QovSoft\\QovMouse\\Hot key";
const char kKeyOptionPath[] = "Software\\QovSoft\\QovMouse\\Key option";
// Written by QovDesktop's settings command as "Large" or "Small".
const char kDesktopSettingPath[] = "Software\\QovSoft\\QovDesktop\\Setting";
const char kDesktopIconValue[] = "Desktop icon";
// Created and deleted keys anywhere below it show on this one: a key that is
// deleted tells nothing to a notification on itself (not under Wine, at any
// rate), and one that does not exist yet cannot carry one.
const char kCompanyPath[] = "Software\\QovSoft";

constexpr int kMaxWatches = 3;

// The keys that one copy of settings is read from: the values' own keys,
// then the company key.  Plain data, all zero at load but `paths`.
struct WatchGroup {
  const char* paths[kMaxWatches];
  int count;
  HKEY keys[kMaxWatches];      // NULL while the key does not exist
  HANDLE events[kMaxWatches];  // one per key, created at the first read
  bool companyWhole;           // the company key itself is open, not one above it
  volatile LONG busy;          // a thread is reading: the others keep the copy they have
  volatile LONG stale;         // read at the next call whatever the events say
};

WatchGroup g_mouseWatch = {{kHotKeyPath, kKeyOptionPath, kCompanyPath}, 3, {}, {}, false, 0, 1};
WatchGroup g_desktopWatch = {{kDesktopSettingPath, kCompanyPath, nullptr}, 2, {}, {}, false, 0, 1};

// Two copies of the mouse settings: the current one and a spare that the
// next read fills before it becomes current.  Readers pin the copy they use.
MouseSettings g_mouseCopies[2];
volatile LONG g_currentMouse;
volatile LONG g_mousePins[2];

volatile LONG g_desktopIconView;  // a core::IconView

void CloseKey(HKEY& key) {
  if (key) RegCloseKey(key);
  key = nullptr;
}

// The company key, or the nearest key above it that exists (HKCU itself at
// worst); true when it is the company key itself.
bool OpenCompanyOrAbove(HKEY& key) {
  char path[sizeof(kCompanyPath)];
  std::memcpy(path, kCompanyPath, sizeof(path));
  for (;;) {
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) == ERROR_SUCCESS)
      return std::strcmp(path, kCompanyPath) == 0;
    key = nullptr;
    char* cut = std::strrchr(path, '\\');
    if (cut) {
      *cut = '\0';
    } else if (path[0]) {
      path[0] = '\0';
    } else {
      return false;
    }
  }
}

// Asks for the next change of a key on its event; false when the key is gone.
bool Arm(WatchGroup& group, int i) {
  const bool company = i == group.count - 1;
  // The company key reports keys created or deleted below it, a key above it
  // only its own subkeys (so that it sees the company key appear); the
  // values' keys report their values.
  const DWORD filter = company ? REG_NOTIFY_CHANGE_NAME : REG_NOTIFY_CHANGE_LAST_SET;
  const BOOL subtree = company && group.companyWhole;
  ResetEvent(group.events[i]);
  return RegNotifyChangeKeyValue(group.keys[i], subtree, filter, group.events[i], TRUE) ==
         ERROR_SUCCESS;
}

// Opens (or reopens) a key and asks for its next change.  False when it is
// not watched as it should be.
bool Watch(WatchGroup& group, int i) {
  const bool company = i == group.count - 1;
  HKEY& key = group.keys[i];
  if (key && (!company || group.companyWhole)) {
    // A deleted key stays open but never reports again: open it anew.
    const bool deleted = RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                          nullptr, nullptr, nullptr, nullptr, nullptr) ==
                         ERROR_KEY_DELETED;
    if (!deleted) {
      // Asked already and not answered: asking again would only pile up requests.
      if (WaitForSingleObject(group.events[i], 0) == WAIT_TIMEOUT) return true;
      if (Arm(group, i)) return true;
    }
  }
  CloseKey(key);
  if (company) {
    group.companyWhole = OpenCompanyOrAbove(key);
  } else if (RegOpenKeyExA(HKEY_CURRENT_USER, group.paths[i], 0, KEY_READ, &key) != ERROR_SUCCESS) {
    key = nullptr;
    // Not there: the company key's notification tells when it is created.
    ResetEvent(group.events[i]);
    return true;
  }
  return key && Arm(group, i);
}

// Whether a key that was missing at the last look exists by now: it may
// have been created after that look and before the company key was asked
// to report it.
bool AppearedMeanwhile(const WatchGroup& group) {
  for (int i = 0; i < group.count; ++i) {
    const bool company = i == group.count - 1;
    if (company ? group.companyWhole : group.keys[i] != nullptr) continue;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, group.paths[i], 0, KEY_QUERY_VALUE, &key) ==
        ERROR_SUCCESS) {
      RegCloseKey(key);
      return true;
    }
  }
  return false;
}

// Brings every key of the group under watch again; false when some key could
// not be watched, so that the settings are read at every call instead.
bool WatchAll(WatchGroup& group) {
  for (int i = 0; i < group.count; ++i) {
    if (!group.events[i]) group.events[i] = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!group.events[i]) return false;
  }
  for (int round = 0; round < 3; ++round) {
    bool watched = true;
    for (int i = 0; i < group.count; ++i) watched = Watch(group, i) && watched;
    if (!watched) return false;
    if (!AppearedMeanwhile(group)) return true;
  }
  return false;
}

bool Changed(const WatchGroup& group) {
  return group.stale ||
         WaitForMultipleObjects(static_cast<DWORD>(group.count), group.events, FALSE, 0) !=
             WAIT_TIMEOUT;
}

// Queries a value of any type into `buffer`; the bytes it returned, or none
// when it is missing, longer than the buffer, or its key does not exist.
DWORD Query(HKEY key, const char* name, unsigned char* buffer, DWORD capacity) {
  if (!key) return 0;
  DWORD size = capacity;
  if (RegQueryValueExA(key, name, nullptr, nullptr, buffer, &size) != ERROR_SUCCESS ||
      size > capacity)
    return 0;
  return size;
}

// A "Hot key" value by its UTF-16 name, in the bytes the decoding reads: a
// text in its Shift-JIS form, any other type as it is stored; more than the
// entry holds gives its full length, which the decoding refuses.
DWORD QueryHotKey(HKEY key, const char16_t* name, unsigned char* bytes, DWORD capacity) {
  if (!key) return 0;
  WCHAR text[core::HotKeyEntry::kSize];
  DWORD type = 0, size = sizeof(text);
  if (RegQueryValueExW(key, reinterpret_cast<const WCHAR*>(name), nullptr, &type,
                       reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS)
    return 0;
  if (type != REG_SZ && type != REG_EXPAND_SZ && type != REG_MULTI_SZ) {
    if (size > capacity) return 0;
    for (DWORD i = 0; i < size; ++i) bytes[i] = reinterpret_cast<const unsigned char*>(text)[i];
    return size;
  }
  static_assert(sizeof(WCHAR) == sizeof(char16_t), "UTF-16 code units");
  return static_cast<DWORD>(core::HotKeyBytesFromUtf16(
      reinterpret_cast<const char16_t*>(text), size / sizeof(WCHAR), bytes, capacity));
}

void ReadMouseSettings(const WatchGroup& group, MouseSettings& settings) {
  for (int i = 0; i < kCommandCount; ++i) {
    unsigned char buffer[core::HotKeyEntry::kSize];
    const DWORD size = QueryHotKey(group.keys[0], kCommandNames[i], buffer, sizeof(buffer));
    core::DecodeHotKeyValue(buffer, size, settings.hotKeys[i]);
  }
  for (int i = 0; i < kKeyOptionCount; ++i) {
    unsigned char buffer[4];
    const DWORD size = Query(group.keys[1], kKeyOptionNames[i], buffer, sizeof(buffer));
    settings.keyOptions[i] = core::KeyOptionFromValue(buffer, size);
  }
}

// Reads the mouse settings into the spare copy and makes it current; false
// when a thread still reads the spare one (the next call tries again).
bool PublishMouseSettings() {
  const LONG spare = 1 - g_currentMouse;
  if (g_mousePins[spare] != 0) return false;
  ReadMouseSettings(g_mouseWatch, g_mouseCopies[spare]);
  InterlockedExchange(&g_currentMouse, spare);
  return true;
}

bool PublishDesktopIconView() {
  unsigned char buffer[32];
  const DWORD size = Query(g_desktopWatch.keys[0], kDesktopIconValue, buffer, sizeof(buffer));
  InterlockedExchange(&g_desktopIconView,
                      static_cast<LONG>(core::IconViewFromValue(buffer, size)));
  return true;
}

// Watches and reads again when something changed.  One thread at a time; a
// thread that finds another at it goes on with the copy it has.
bool Refresh(WatchGroup& group, bool (*publish)()) {
  if (!Changed(group)) return false;
  if (InterlockedCompareExchange(&group.busy, 1, 0) != 0) return false;
  // Watched before read: a change while reading shows at the next call.
  group.stale = 0;
  const bool watched = WatchAll(group);
  const bool published = publish();
  if (!watched || !published) group.stale = 1;
  InterlockedExchange(&group.busy, 0);
  return published;
}

void CloseWatches(WatchGroup& group) {
  for (int i = 0; i < group.count; ++i) {
    CloseKey(group.keys[i]);
    if (group.events[i]) CloseHandle(group.events[i]);
    group.events[i] = nullptr;
  }
  group.companyWhole = false;
  group.stale = 1;
}

}  // namespace

void RefreshMouseSettings() { Refresh(g_mouseWatch, PublishMouseSettings); }

void ReloadMouseSettings() {
  g_mouseWatch.stale = 1;
  RefreshMouseSettings();
}

CurrentMouseSettings::CurrentMouseSettings() {
  // A copy pinned after a read began on it is left again: it is not current.
  for (;;) {
    const LONG index = g_currentMouse;
    InterlockedIncrement(&g_mousePins[index]);
    if (index == g_currentMouse) {
      m_index = index;
      m_settings = &g_mouseCopies[index];
      return;
    }
    InterlockedDecrement(&g_mousePins[index]);
  }
}

CurrentMouseSettings::~CurrentMouseSettings() { InterlockedDecrement(&g_mousePins[m_index]); }

core::IconView CurrentDesktopIconView(bool* reread) {
  const bool read = Refresh(g_desktopWatch, PublishDesktopIconView);
  if (reread) *reread = read;
  return static_cast<core::IconView>(g_desktopIconView);
}

void CloseSettingsWatches() {
  CloseWatches(g_mouseWatch);
  CloseWatches(g_desktopWatch);
}

}  // namespace qov32
