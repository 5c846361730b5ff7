#include "platform/command_line_split.h"

namespace kavri {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

}  // namespace

std::vector<std::wstring> SplitCommandLine(std::wstring_view commandLine) {
  std::size_t i = 0;
  const std::size_t end = commandLine.size();
  while (i < end && IsBlank(commandLine[i])) ++i;
  // The program name: a quoted one runs to the closing quote, whatever it
  // holds; the rest of its word is still the name.
  if (i < end && commandLine[i] == L'"') {
    const std::size_t close = commandLine.find(L'"', i + 1);
    i = close == std::wstring_view::npos ? end : close + 1;
  }
  while (i < end && !IsBlank(commandLine[i])) ++i;

  std::vector<std::wstring> arguments;
  for (;;) {
    while (i < end && IsBlank(commandLine[i])) ++i;
    if (i == end) break;
    std::wstring argument;
    bool quoted = false;
    for (; i < end && (quoted || !IsBlank(commandLine[i])); ++i) {
      if (commandLine[i] == L'"') {
        quoted = !quoted;
      } else {
        argument += commandLine[i];
      }
    }
    arguments.push_back(std::move(argument));
  }
  return arguments;
}

}  // namespace kavri
