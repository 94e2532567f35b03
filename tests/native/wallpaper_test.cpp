#include "core/wallpaper.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>
#include <vector>

using namespace core;

namespace {

constexpr std::uint32_t kFile = 0x20;  // FILE_ATTRIBUTE_ARCHIVE
constexpr std::uint32_t kDir = kAttributeDirectory;

// "A B x/" is a directory listing: names ending in "/" are sub-directories.
std::vector<DirectoryEntry> Listing(const std::string& text) {
  std::vector<DirectoryEntry> entries;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    std::string name = text.substr(start, end - start);
    if (!name.empty() && name.back() == '/') {
      name.pop_back();
      entries.push_back({name, kDir});
    } else if (!name.empty()) {
      entries.push_back({name, kFile});
    }
    start = end + 1;
  }
  return entries;
}

// What `changes` successive changes show, from `index` on: the names, with
// "-" for a change that leaves the wallpaper alone.
std::string Shown(const std::vector<DirectoryEntry>& entries, int changes, int* index) {
  std::string shown;
  for (int i = 0; i < changes; ++i) {
    WallPaperStep step = StepWallPaper(*index, entries);
    *index = step.index;
    if (!shown.empty()) shown += ' ';
    shown += step.entry < 0 ? "-" : entries.at(step.entry).name;
  }
  return shown;
}
std::string Shown(const std::string& listing, int changes) {
  int index = 0;
  return Shown(Listing(listing), changes, &index);
}

}  // namespace

// Lead bytes as GetCPInfo reports them for code page 932 (Shift-JIS) and
// for 1252 (Western), which has none.
const unsigned char kRanges932[] = {0x81, 0x9F, 0xE0, 0xFC, 0, 0};
const LeadBytes kCp932(kRanges932, sizeof(kRanges932));
const LeadBytes kCp1252;

TEST(WallPaperPattern, JoinsWithExactlyOneBackslash) {
  EXPECT_EQ(JoinPath("C:\\Pictures", kWallPaperPattern, kCp932), "C:\\Pictures\\*.bmp");
  EXPECT_EQ(JoinPath("C:\\Pictures\\", kWallPaperPattern, kCp932), "C:\\Pictures\\*.bmp");
  EXPECT_EQ(JoinPath("C:\\", "a.bmp", kCp1252), "C:\\a.bmp");
  EXPECT_EQ(JoinPath("\\\\server\\share", "a.bmp", kCp1252), "\\\\server\\share\\a.bmp");
  // An empty directory is the current one: no backslash at all.
  EXPECT_EQ(JoinPath("", kWallPaperPattern, kCp932), "*.bmp");
  EXPECT_EQ(JoinPath("", "a.bmp", kCp1252), "a.bmp");
}

TEST(WallPaperPattern, ATrailByteOf0x5CIsNoBackslash) {
  // "C:\表" ends in the byte 0x5C, which is the second half of "表".
  const std::string hyo = "C:\\\x95\x5C";
  EXPECT_FALSE(EndsWithBackslash(hyo, kCp932));
  EXPECT_EQ(JoinPath(hyo, kWallPaperPattern, kCp932), hyo + "\\*.bmp");
  EXPECT_EQ(JoinPath(hyo + "\\", kWallPaperPattern, kCp932), hyo + "\\*.bmp");
  // "表\" and "ソ" (0x83 0x5C) then a real backslash.
  EXPECT_TRUE(EndsWithBackslash("\x95\x5C\\", kCp932));
  EXPECT_TRUE(EndsWithBackslash("\x83\x5C\\", kCp932));
  EXPECT_FALSE(EndsWithBackslash("\x83\x5C", kCp932));
  // Half-width katakana are single bytes: "ｱ\" ends with a backslash.
  EXPECT_TRUE(EndsWithBackslash("\xB1\\", kCp932));
  // A lead byte cut off at the end does not run past it.
  EXPECT_FALSE(EndsWithBackslash("\\\x95", kCp932));
  EXPECT_FALSE(EndsWithBackslash("", kCp932));
  // "C:\é\" in code page 1252: é (0xE9) is a letter of its own there, and
  // a lead byte (of the second range) in 932.
  EXPECT_TRUE(EndsWithBackslash("C:\\\xE9\\", kCp1252));
  EXPECT_EQ(JoinPath("C:\\\xE9\\", kWallPaperPattern, kCp1252), "C:\\\xE9\\*.bmp");
  EXPECT_FALSE(EndsWithBackslash("C:\\\xE9\\", kCp932));
  EXPECT_TRUE(EndsWithBackslash("\x95\x5C", kCp1252));
}

TEST(WallPaperRotation, StartsWithTheSecondEntryAndWraps) {
  EXPECT_EQ(Shown("A B C", 7), "B C A B C A B");
  int index = 0;
  const auto abc = Listing("A B C");
  EXPECT_EQ(StepWallPaper(index, abc).index, 1);
  EXPECT_EQ(StepWallPaper(2, abc).index, 0);  // wrapped: 0 is the first entry
  // One file is shown at every change; nothing at all leaves the wallpaper.
  EXPECT_EQ(Shown("A", 3), "A A A");
  EXPECT_EQ(StepWallPaper(0, Listing("A")).index, 0);
  EXPECT_EQ(Shown("", 2), "- -");
  EXPECT_EQ(StepWallPaper(4, {}).index, 0);
}

TEST(WallPaperRotation, SubDirectoriesAreSteppedOver) {
  EXPECT_EQ(Shown("A x.bmp/ B C", 7), "B C A B C A B");
  // The last entry a directory: the step over it finds nothing, so that
  // change leaves the wallpaper, and the next one wraps.
  EXPECT_EQ(Shown("A B C x.bmp/", 8), "B C - A B C - A");
  // The first entry a directory: after a wrap the first file is shown at
  // position 0 and again at position 1.
  EXPECT_EQ(Shown("x.bmp/ A B", 6), "A B A A B A");
  EXPECT_EQ(Shown("x.bmp/", 3), "- - -");
  EXPECT_EQ(Shown("A x.bmp/", 4), "- A - A");
  // Only one directory is stepped over at a time; a change that ends on
  // the second is skipped rather than setting a directory as wallpaper.
  EXPECT_EQ(Shown("A x/ y/ B", 4), "- B A -");
  // A directory with more attributes than "directory" is not stepped over,
  // but never shown either.
  std::vector<DirectoryEntry> readOnlyDir = {{"A", kFile}, {"r", kDir | 0x01}, {"B", kFile}};
  int index = 0;
  EXPECT_EQ(Shown(readOnlyDir, 4, &index), "- B A -");
}

TEST(WallPaperRotation, EachChangeCountsInTheDirectoryAsItIsNow) {
  int index = 0;
  EXPECT_EQ(Shown(Listing("A B C"), 1, &index), "B");
  // D added before C is shown at its place.
  EXPECT_EQ(Shown(Listing("A B D C"), 1, &index), "D");
  EXPECT_EQ(index, 2);
  // D removed again: position 3 is past the end, so the rotation wraps.
  EXPECT_EQ(Shown(Listing("A B C"), 1, &index), "A");
  EXPECT_EQ(index, 0);
  // Another directory with fewer entries than the position: its first one.
  index = 5;
  EXPECT_EQ(Shown(Listing("P Q"), 2, &index), "P Q");
  EXPECT_EQ(index, 1);
  // A position no change could leave behind still gives a sound outcome.
  index = INT_MAX;
  EXPECT_EQ(Shown(Listing("P Q"), 1, &index), "P");
  index = -3;
  EXPECT_EQ(Shown(Listing("P Q"), 1, &index), "Q");
}

TEST(WallPaperRotation, ASearchCutAfterTheNeededEntriesGivesTheSameOutcome) {
  std::mt19937 random(7);
  for (int round = 0; round < 5000; ++round) {
    std::vector<DirectoryEntry> entries(random() % 12);
    for (auto& entry : entries) {
      unsigned kind = random() % 5;
      entry.attributes = kind == 0 ? kDir : kind == 1 ? (kDir | 0x02) : kFile;
    }
    int previous = static_cast<int>(random() % 14);
    std::size_t needed = WallPaperEntriesNeeded(previous);
    if (needed >= entries.size()) continue;
    std::vector<DirectoryEntry> cut(entries.begin(), entries.begin() + needed);
    WallPaperStep full = StepWallPaper(previous, entries), part = StepWallPaper(previous, cut);
    EXPECT_EQ(full.index, part.index) << "round " << round;
    EXPECT_EQ(full.entry, part.entry) << "round " << round;
  }
  EXPECT_EQ(WallPaperEntriesNeeded(0), 3u);
  EXPECT_GT(WallPaperEntriesNeeded(INT_MAX), static_cast<std::size_t>(INT_MAX));
}
