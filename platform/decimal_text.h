#pragma once

#include <charconv>
#include <string>

namespace kavri {

// A whole number in decimal. std::to_string goes through the C library's
// printf, which adds more to the program than all of this.
inline std::string DecimalText(long long value) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof(digits), value);
  return std::string(digits, result.ptr);
}

}  // namespace kavri
