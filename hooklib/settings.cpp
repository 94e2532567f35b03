#include "hooklib/settings.h"

namespace qov32 {

namespace {

const char kHotKeyPath[] = "Software\\QovSoft\\QovMouse\\Hot key";
const char kKeyOptionPath[] = "Software\\QovSoft\\QovMouse\\Key option";
// Written by QovDesktop's settings command as "Large" or "Small".
const char kDesktopSettingPath[] = "Software\\QovSoft\\QovDesktop\\Setting";
const char kDesktopIconValue[] = "Desktop icon";

// An open key for reading values, closed when the object goes.  Read access
// only: asking for more can fail where reading would succeed.
class ReadKey {
 public:
  explicit ReadKey(const char* path) {
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_QUERY_VALUE, &m_key) != ERROR_SUCCESS)
      m_key = nullptr;
  }
  ~ReadKey() {
    if (m_key) RegCloseKey(m_key);
  }
  ReadKey(const ReadKey&) = delete;
  ReadKey& operator=(const ReadKey&) = delete;

  // Queries a value of any type into `buffer`; the bytes it returned, or
  // none when it is missing or longer than the buffer.
  DWORD Query(const char* name, unsigned char* buffer, DWORD capacity) const {
    if (!m_key) return 0;
    DWORD size = capacity;
    if (RegQueryValueExA(m_key, name, nullptr, nullptr, buffer, &size) != ERROR_SUCCESS ||
        size > capacity)
      return 0;
    return size;
  }

 private:
  HKEY m_key = nullptr;
};

}  // namespace

void ReadHotKeyTable(core::HotKeyEntry (&table)[kCommandCount]) {
  ReadKey key(kHotKeyPath);
  for (int i = 0; i < kCommandCount; ++i) {
    unsigned char buffer[core::HotKeyEntry::kSize];
    DWORD size = key.Query(kCommandNames[i], buffer, sizeof(buffer));
    core::DecodeHotKeyValue(buffer, size, table[i]);
  }
}

void ReadKeyOptions(BOOL (&flags)[kKeyOptionCount]) {
  ReadKey key(kKeyOptionPath);
  for (int i = 0; i < kKeyOptionCount; ++i) {
    unsigned char buffer[4];
    DWORD size = key.Query(kKeyOptionNames[i], buffer, sizeof(buffer));
    flags[i] = core::KeyOptionFromValue(buffer, size) ? TRUE : FALSE;
  }
}

core::IconView ReadDesktopIconView() {
  ReadKey key(kDesktopSettingPath);
  unsigned char buffer[32];
  DWORD size = key.Query(kDesktopIconValue, buffer, sizeof(buffer));
  return core::IconViewFromValue(buffer, size);
}

}  // namespace qov32
