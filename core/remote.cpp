#include "core/remote.h"

#include <vector>

#include "core/asciicase.h"

namespace core {

namespace {

bool Same(std::string_view a, std::string_view b) { return SameAsciiCase(a, b); }

// Blank-separated words; a word in double quotes may hold blanks.
std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    if (i == text.size()) break;
    if (text[i] == '"') {
      const std::size_t end = text.find('"', i + 1);
      const std::size_t stop = end == std::string_view::npos ? text.size() : end;
      words.push_back(text.substr(i + 1, stop - i - 1));
      i = stop == text.size() ? stop : stop + 1;
    } else {
      std::size_t end = i;
      while (end < text.size() && text[end] != ' ' && text[end] != '\t') ++end;
      words.push_back(text.substr(i, end - i));
      i = end;
    }
  }
  return words;
}

// A page number counted from 1: 1 to 3 digits, no sign, no blank.
bool PageNumber(std::string_view text, int& value) {
  if (text.empty() || text.size() > 3) return false;
  value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return value >= 1;
}

RemoteCommand Bad() { return {Remote::kBad}; }

}  // namespace

std::string_view ArgumentsOf(std::string_view line) {
  std::size_t i = 0;
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
  if (i < line.size() && line[i] == '"') {
    const std::size_t end = line.find('"', i + 1);
    i = end == std::string_view::npos ? line.size() : end + 1;
  }
  while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
  return line.substr(i);
}

RemoteCommand ParseArguments(std::string_view arguments) {
  const std::vector<std::string_view> words = Words(arguments);
  if (words.empty()) return {};
  std::string_view name = words[0];
  if (name.size() < 2 || (name[0] != '/' && name[0] != '-')) return Bad();
  name.remove_prefix(1);
  static const struct {
    const char* name;
    Remote command;
  } kPlain[] = {{"?", Remote::kUsage},      {"overview", Remote::kOverview},
                {"gather", Remote::kGather}, {"pin", Remote::kPin},
                {"jump", Remote::kJump},     {"settings", Remote::kSettings},
                {"exit", Remote::kExit}};
  for (const auto& plain : kPlain)
    if (Same(name, plain.name)) return words.size() == 1 ? RemoteCommand{plain.command} : Bad();
  if (!Same(name, "page") || words.size() != 2) return Bad();
  static const struct {
    const char* name;
    PageMove move;
  } kMoves[] = {{"left", PageMove::kLeft}, {"right", PageMove::kRight}, {"up", PageMove::kUp},
                {"down", PageMove::kDown}, {"home", PageMove::kHome}};
  for (const auto& move : kMoves)
    if (Same(words[1], move.name)) return {Remote::kPage, move.move};
  const std::size_t comma = words[1].find(',');
  RemoteCommand page = {Remote::kPage, PageMove::kAt};
  if (comma == std::string_view::npos || !PageNumber(words[1].substr(0, comma), page.col) ||
      !PageNumber(words[1].substr(comma + 1), page.row))
    return Bad();
  return page;
}

std::string RemoteText(const RemoteCommand& c) {
  static const char* const kNames[] = {"", "/?", "", "/page", "/overview", "/gather",
                                       "/pin", "/jump", "/settings", "/exit"};
  std::string text = kNames[static_cast<int>(c.command)];
  if (c.command == Remote::kPage) {
    static const char* const kMoves[] = {" left", " right", " up", " down", " home"};
    if (c.move == PageMove::kAt)
      text += " " + std::to_string(c.col) + "," + std::to_string(c.row);
    else
      text += kMoves[static_cast<int>(c.move)];
  }
  return text;
}

RemoteCommand ParseRemoteText(const void* bytes, std::size_t size) {
  if (!bytes || size == 0 || size > kMaxRemoteText) return Bad();
  const std::string_view text(static_cast<const char*>(bytes), size);
  if (text.back() != '\0' || text.find('\0') != size - 1) return Bad();
  const RemoteCommand c = ParseArguments(text.substr(0, size - 1));
  // Only what a starter sends: a command, never an ordinary start or "/?".
  if (c.command == Remote::kNone || c.command == Remote::kUsage ||
      RemoteText(c) != text.substr(0, size - 1))
    return Bad();
  return c;
}

int ExitCodeFor(bool answered, long answer) {
  if (!answered) return kExitNoAnswer;
  if (answer == kTaken) return kExitDone;
  if (answer == kPageOutside) return kExitUsage;
  return kExitNoAnswer;
}

}  // namespace core
