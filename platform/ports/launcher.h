#pragma once

#include <string>

namespace kavri {

// Starts other programs and forgets them; nothing comes back.
class Launcher {
 public:
  virtual ~Launcher() = default;
  // Starts a command line, shown, without waiting or looking at the result.
  virtual void Run(const std::string& commandLine) = 0;
  // Opens a path the way the shell does (its default verb, its program).
  virtual void Open(const std::string& path) = 0;
};

}  // namespace kavri
