#include "core/wallpaper.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace core;

// What successive changes show from `*index` on, "-" where one leaves the
// wallpaper, in a listing of one entry per character: capitals are bitmaps,
// small letters sub-directories, '#' a read-only sub-directory.
static std::string Shown(const std::string& names, int changes, int* index) {
  std::vector<DirectoryEntry> entries;
  for (char c : names)
    entries.push_back({std::string(1, c), c == '#'   ? kAttributeDirectory | 0x01
                                          : c >= 'a' ? kAttributeDirectory
                                                     : 0x20u});
  std::string shown;
  for (int i = 0; i < changes; ++i) {
    const WallPaperStep step = StepWallPaper(*index, entries);
    // A search may stop after the entries the step needs: the outcome is the same.
    const std::size_t needed = std::min(entries.size(), WallPaperEntriesNeeded(*index));
    const WallPaperStep cut = StepWallPaper(*index, {entries.begin(), entries.begin() + needed});
    EXPECT_TRUE(cut.index == step.index && cut.entry == step.entry) << names << " " << *index;
    *index = step.index;
    shown += step.entry < 0 ? "-" : entries.at(step.entry).name;
  }
  return shown;
}

TEST(WallPaperPattern, JoinsWithOneBackslashWhereATrailByte0x5CIsNone) {
  // Lead bytes as GetCPInfo gives them for code page 932; 1252 has none.
  const unsigned char ranges932[] = {0x81, 0x9F, 0xE0, 0xFC, 0, 0};
  const LeadBytes cp932(ranges932, sizeof(ranges932)), cp1252;
  EXPECT_EQ(JoinPath("", kWallPaperPattern, cp932), "*.bmp");  // the current directory
  // "表" is 0x95 0x5C; the half-width "ｱ" (0xB1) is one byte.
  EXPECT_EQ(JoinPath("C:\\\x95\x5C", "a", cp932), "C:\\\x95\x5C\\a");
  EXPECT_EQ(JoinPath("C:\\\xB1\\", "a", cp932), "C:\\\xB1\\a");
  // The last lead byte of each range: "歃" is 0x9F 0x5C; 0xFC 0x5C, no character, is a pair too.
  for (const char* dir : {"C:\\\x9F\x5C", "C:\\\xFC\x5C"})
    EXPECT_EQ(JoinPath(dir, "a", cp932), std::string(dir) + "\\a");
  EXPECT_FALSE(EndsWithBackslash("\\\x95", cp932));  // a lead byte cut off at the end
  // "é" (0xE9) is a letter of its own in 1252 and a lead byte in 932.
  EXPECT_EQ(JoinPath("C:\\\xE9\\", "a", cp1252), "C:\\\xE9\\a");
  EXPECT_EQ(JoinPath("C:\\\xE9\\", "a", cp932), "C:\\\xE9\\\\a");
}

TEST(WallPaperRotation, StartsWithTheSecondBitmapWrapsAndStepsOverOneDirectory) {
  // Ending on a directory leaves the wallpaper; one directory is stepped over
  // at a time, and never one with more attributes than "directory".
  const char* const cases[][2] = {{"ABC", "BCABCAB"},  {"", "-------"},    {"AxBC", "BCABCAB"},
                                  {"ABCx", "BC-ABC-"}, {"xAB", "ABAABAA"}, {"AxyB", "-BA-BA-"},
                                  {"A#B", "-BA-BA-"}};
  for (const auto& c : cases) {
    int index = 0;
    EXPECT_EQ(Shown(c[0], 7, &index), c[1]) << c[0];
  }
  // Each change counts in the directory as it is then: D, added, is shown in its place.
  int index = 0;
  EXPECT_EQ(Shown("ABC", 1, &index), "B");
  EXPECT_EQ(Shown("ABDC", 1, &index), "D");
}
