#include "platform/command_line_split.h"

namespace kavri {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

// Where the program name ends and the arguments begin.
std::size_t SkipProgramName(std::u16string_view line) {
  std::size_t pos = 0;
  if (!line.empty() && line[0] == u'"') {
    pos = line.find(u'"', 1);
    pos = pos == std::u16string_view::npos ? line.size() : pos + 1;
  } else {
    while (pos < line.size() && !IsBlank(line[pos])) ++pos;
  }
  return pos;
}

}  // namespace

std::vector<std::u16string> SplitCommandLine(std::u16string_view line) {
  std::vector<std::u16string> arguments;
  std::size_t pos = SkipProgramName(line);
  while (pos < line.size() && IsBlank(line[pos])) ++pos;
  if (pos >= line.size()) return arguments;

  std::u16string argument;
  int quotes = 0;  // odd while inside quotes
  std::size_t backslashes = 0;
  while (pos < line.size()) {
    const char16_t c = line[pos];
    if (IsBlank(c) && quotes == 0) {
      arguments.push_back(std::move(argument));
      argument.clear();
      backslashes = 0;
      while (pos < line.size() && IsBlank(line[pos])) ++pos;
      if (pos >= line.size()) return arguments;
      continue;
    }
    if (c == u'\\') {
      argument += c;
      ++backslashes;
      ++pos;
      continue;
    }
    if (c == u'"') {
      if (backslashes % 2 == 0) {
        argument.resize(argument.size() - backslashes / 2);
        ++quotes;
      } else {
        argument.resize(argument.size() - backslashes / 2 - 1);
        argument += u'"';
      }
      ++pos;
      backslashes = 0;
      // A run of quotes: every third one is a literal quote.
      while (pos < line.size() && line[pos] == u'"') {
        if (++quotes == 3) {
          argument += u'"';
          quotes = 0;
        }
        ++pos;
      }
      if (quotes == 2) quotes = 0;
      continue;
    }
    argument += c;
    backslashes = 0;
    ++pos;
  }
  arguments.push_back(std::move(argument));
  return arguments;
}

}  // namespace kavri
