#pragma once

#include <exception>
#include <string>
#include <utility>

namespace kavri {

// An error the platform raises: adapters throw it with a short English
// message; the window procedure shows it and the window stays.
class Error : public std::exception {
 public:
  explicit Error(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

}  // namespace kavri
