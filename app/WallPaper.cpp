#include "app/WallPaper.h"

#include <cstring>
#include <vector>

#include "core/wallpaper.h"
#include "fw/findfile.h"

int ChangeWallPaper(const std::string& directory, int index) {
  // Nothing is kept between changes: every change lists the directory anew,
  // as far as the rotation position can reach, so that files added or
  // removed in the meantime count at their place.
  std::vector<core::DirectoryEntry> entries;
  const std::size_t needed = core::WallPaperEntriesNeeded(index);
  {
    fw::CFindFile search;
    const std::string pattern = core::JoinPath(directory, core::kWallPaperPattern);
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
    std::string path = core::JoinPath(directory, entries[step.entry].name);
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, &path[0], 0);
  }
  return step.index;
}
