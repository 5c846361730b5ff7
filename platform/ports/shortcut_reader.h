#pragma once

#include <optional>
#include <string>

namespace kavri {

// Follows a shell shortcut file (".lnk") to its target path.
class ShortcutReader {
 public:
  virtual ~ShortcutReader() = default;
  // The target of the shortcut at `path`, or none when it cannot be read
  // (not a shortcut, damaged, or not named with a lower-case ".lnk").
  virtual std::optional<std::string> ReadTarget(const std::string& path) = 0;
};

}  // namespace kavri
