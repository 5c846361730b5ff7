#include "transfer/script_environment.h"

namespace kavri {
namespace {

bool IsPathEntry(std::string_view entry) {
  if (entry.size() < 5 || entry[4] != '=') return false;
  for (std::size_t i = 0; i < 4; ++i) {
    const char c = static_cast<char>(entry[i] | 0x20);
    if (c != "path"[i]) return false;
  }
  return true;
}

}  // namespace

std::string EnvironmentBlockWithPathFirst(const std::vector<std::string>& entries,
                                          std::string_view folder) {
  // A folder with ";" in it must be quoted to stay one entry of PATH.
  const std::string first = folder.find(';') == std::string_view::npos
                                ? std::string(folder)
                                : "\"" + std::string(folder) + "\"";
  std::string block;
  bool pathSeen = false;
  for (const std::string& entry : entries) {
    if (!pathSeen && IsPathEntry(entry)) {
      pathSeen = true;
      const std::string rest = entry.substr(5);
      block += entry.substr(0, 5) + first + (rest.empty() ? "" : ";" + rest);
    } else {
      block += entry;
    }
    block += '\0';
  }
  if (!pathSeen) block += "PATH=" + first + '\0';
  block += '\0';
  return block;
}

}  // namespace kavri
