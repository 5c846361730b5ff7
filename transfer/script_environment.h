#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kavri {

// The environment block for a script: the given "NAME=value" entries with
// `folder` put first on PATH, so that the script's DELTREE finds the
// deltree.exe that ships beside kavri, and with the current folder taken out
// of the search for commands (NoDefaultCurrentDirectoryInExePath), so that an
// XCOPY.BAT in whatever folder kavri was started from never runs in place of
// the system's XCOPY. Entries end with NUL, the block with one more. Built
// from the wide environment on Windows, so no value loses a character.
template <typename Char>
std::basic_string<Char> EnvironmentBlockWithPathFirst(
    const std::vector<std::basic_string<Char>>& entries, std::basic_string_view<Char> folder) {
  using Text = std::basic_string<Char>;
  auto named = [](const Text& entry, std::string_view name) {
    if (entry.size() <= name.size() || entry[name.size()] != Char('=')) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
      const Char c = entry[i];
      const Char lower = (c >= Char('A') && c <= Char('Z')) ? Char(c - 'A' + 'a') : c;
      const char wanted = name[i];
      if (lower != Char(wanted >= 'A' && wanted <= 'Z' ? wanted - 'A' + 'a' : wanted)) {
        return false;
      }
    }
    return true;
  };
  auto widen = [](std::string_view text) { return Text(text.begin(), text.end()); };
  // A folder with ";" in it must be quoted to stay one entry of PATH.
  const bool semicolon = folder.find(Char(';')) != std::basic_string_view<Char>::npos;
  const Text first = semicolon ? widen("\"") + Text(folder) + widen("\"") : Text(folder);
  const std::string_view noCurrent = "NoDefaultCurrentDirectoryInExePath";
  Text block;
  bool pathSeen = false;
  bool noCurrentSeen = false;
  for (const Text& entry : entries) {
    if (!pathSeen && named(entry, "path")) {
      pathSeen = true;
      const Text rest = entry.substr(5);
      block += entry.substr(0, 5) + first + (rest.empty() ? Text() : widen(";") + rest);
    } else if (named(entry, noCurrent)) {
      noCurrentSeen = true;
      block += widen(noCurrent) + widen("=1");
    } else {
      block += entry;
    }
    block += Char('\0');
  }
  if (!pathSeen) block += widen("PATH=") + first + Char('\0');
  if (!noCurrentSeen) block += widen(noCurrent) + widen("=1") + Char('\0');
  block += Char('\0');
  return block;
}

}  // namespace kavri
