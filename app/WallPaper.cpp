#include "app/WallPaper.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "app/QovDesktopApp.h"
#include "app/settings_names.h"
#include "core/wallpaper.h"
#include "fw/findfile.h"

namespace {

// The lead bytes of the system's ANSI code page, in which the directory is
// written: Shift-JIS on a Japanese system, none on a Western one.
core::LeadBytes AnsiLeadBytes() {
  CPINFO info = {};
  if (!GetCPInfo(CP_ACP, &info)) return core::LeadBytes();
  return core::LeadBytes(info.LeadByte, MAX_LEADBYTES);
}

}  // namespace

int ChangeWallPaper(const std::string& directory, int index) {
  const core::LeadBytes lead = AnsiLeadBytes();
  // Nothing is kept between changes: every change lists the directory anew,
  // as far as the rotation position can reach, so that files added or
  // removed in the meantime count at their place.
  std::vector<core::DirectoryEntry> entries;
  const std::size_t needed = core::WallPaperEntriesNeeded(index);
  {
    fw::CFindFile search;
    const std::string pattern = core::JoinPath(directory, core::kWallPaperPattern, lead);
    for (bool found = search.FindFirst(pattern.c_str()); found && entries.size() < needed;
         found = search.FindNext()) {
      const WIN32_FIND_DATAA& data = search.Data();
      entries.push_back({std::string(data.cFileName, strnlen(data.cFileName, MAX_PATH)),
                         data.dwFileAttributes});
    }
  }

  const core::WallPaperStep step = core::StepWallPaper(index, entries);
  if (step.entry >= 0) {
    // No SPIF_UPDATEINIFILE: the user's own wallpaper comes back with the
    // next session.  A file that is no usable bitmap fails quietly.
    std::string path = core::JoinPath(directory, entries[step.entry].name, lead);
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, &path[0], 0);
  }
  return step.index;
}

std::string WallPaperDirectoryOrWindows(const std::string& directory) {
  if (!directory.empty()) return directory;
  char windows[MAX_PATH] = "";
  const UINT length = GetWindowsDirectoryA(windows, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::string(windows, length) : std::string();
}

std::string ReadWallPaperDirectory() {
  return WallPaperDirectoryOrWindows(QovApp()->ReadStringSetting(
      settings::kSetting, settings::kWallPaperDirectory, std::string()));
}
