#pragma once

#include <stdexcept>
#include <string>

namespace kavri {

// An error the platform raises: adapters throw it with a short English
// message; the window procedure shows it and the window stays.
class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace kavri
