#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kavri {

// The command interpreter reads scripts in the OEM code page, kavri keeps its
// texts in the ANSI one (é is 0xE9 in 1252 and 0x82 in 437).
class OemConverter {
 public:
  virtual ~OemConverter() = default;
  // The text in the OEM page, or none when a character has no exact form
  // there. Where both pages are the same, the bytes come back unchanged.
  virtual std::optional<std::string> FromAnsi(std::string_view ansi) = 0;
};

}  // namespace kavri
