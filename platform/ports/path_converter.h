#pragma once

#include <optional>
#include <string>

namespace kavri {

// Paths arrive as UTF-16 (drops, the command line, a second start) and kavri
// works in the ANSI code page.
class PathConverter {
 public:
  virtual ~PathConverter() = default;
  // The path in the ANSI page, or none when a character has no exact form
  // there (never "?" and never a look-alike).
  virtual std::optional<std::string> Exact(const std::wstring& path) = 0;
  // The path's short (8.3) form, or none when it has none.
  virtual std::optional<std::wstring> ShortForm(const std::wstring& path) = 0;
};

}  // namespace kavri
