// Rules of the wallpaper rotation: the search pattern and the stepping
// through a directory's bitmaps, over a plain list of directory entries.
#pragma once
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace core {

inline constexpr char kWallPaperPattern[] = "*.bmp";
inline constexpr std::uint32_t kAttributeDirectory = 0x10;  // FILE_ATTRIBUTE_DIRECTORY

// The lead bytes of an ANSI code page: the first bytes of its double-byte
// characters, from the ranges the system reports for it (CPINFO::LeadByte:
// pairs of first and last byte, ended by a pair of zeros).  A single-byte
// code page such as 1252 has none.
class LeadBytes {
 public:
  LeadBytes() = default;
  LeadBytes(const unsigned char* ranges, std::size_t size);
  bool Has(unsigned char byte) const { return m_lead[byte]; }

 private:
  std::bitset<256> m_lead;
};

// Whether a text in the code page of `lead` ends with a backslash character.
// The trail byte of a double-byte character may be 0x5C ("表" is 0x95 0x5C
// in code page 932), so the last byte alone does not tell.
bool EndsWithBackslash(std::string_view text, const LeadBytes& lead);

// A directory and a name joined with exactly one backslash: none is added
// after a directory that already ends with one (the root of a drive), and
// none after an empty directory, which stands for the current directory.
std::string JoinPath(std::string_view directory, std::string_view name, const LeadBytes& lead);

// One entry of a directory search, as the search describes it.
struct DirectoryEntry {
  std::string name;
  std::uint32_t attributes = 0;
};

// The outcome of one wallpaper change.
struct WallPaperStep {
  int index;  // the rotation position to keep for the next change
  int entry;  // position in the entries of the bitmap to show; -1: leave the wallpaper
};

// One wallpaper change over the entries that the pattern matches, in the
// order in which the directory search gives them.  The position after
// `previousIndex` is stepped to by counting from the first entry; when the
// entries run out the rotation wraps to the first one.  An entry whose
// attributes are exactly "directory" is stepped over once; when a directory
// is what the stepping ends on (or nothing matches), the wallpaper is left
// as it is.
WallPaperStep StepWallPaper(int previousIndex, const std::vector<DirectoryEntry>& entries);

// How many entries from the first StepWallPaper can look at for a change
// after `previousIndex`; a search may stop there, as later entries never
// change the outcome.
std::size_t WallPaperEntriesNeeded(int previousIndex);

}  // namespace core
