#include "core/wallpaper.h"

#include <climits>

namespace core {
namespace {

int NextIndex(int previousIndex) {
  if (previousIndex < 0) return 1;
  return previousIndex == INT_MAX ? INT_MAX : previousIndex + 1;
}

}  // namespace

LeadBytes::LeadBytes(const unsigned char* ranges, std::size_t size) {
  for (std::size_t i = 0; i + 1 < size && ranges[i] != 0; i += 2)
    for (unsigned byte = ranges[i]; byte <= ranges[i + 1]; ++byte) m_lead.set(byte);
}

bool EndsWithBackslash(std::string_view text, const LeadBytes& lead) {
  bool backslash = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    backslash = text[i] == '\\';
    if (lead.Has(static_cast<unsigned char>(text[i]))) ++i;  // skip its trail byte
  }
  return backslash;
}

std::string JoinPath(std::string_view directory, std::string_view name, const LeadBytes& lead) {
  std::string path(directory);
  if (!path.empty() && !EndsWithBackslash(path, lead)) path += '\\';
  path += name;
  return path;
}

WallPaperStep StepWallPaper(int previousIndex, const std::vector<DirectoryEntry>& entries) {
  // The search is replayed from its first entry: `at` is the entry it
  // describes, and a step that finds no further entry starts it again.
  const std::size_t count = entries.size();
  int index = NextIndex(previousIndex);
  std::size_t at = 0;
  for (int i = 0; i < index; ++i) {
    if (at + 1 < count) {
      ++at;
    } else {
      index = 0;  // ends the loop after this pass
      at = 0;
    }
    // A sub-directory that matches the pattern is stepped over once; when it
    // is the last entry the step finds nothing and it stays described.
    if (at < count && entries[at].attributes == kAttributeDirectory && at + 1 < count) ++at;
  }
  if (at >= count || (entries[at].attributes & kAttributeDirectory)) return {index, -1};
  return {index, static_cast<int>(at)};
}

std::size_t WallPaperEntriesNeeded(int previousIndex) {
  // Pass i starts at most at entry 2i and looks at most two entries further;
  // the last pass is number NextIndex(previousIndex) - 1.
  return 2 * static_cast<std::size_t>(NextIndex(previousIndex)) + 1;
}

}  // namespace core
