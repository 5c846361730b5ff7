#pragma once

#include <set>
#include <string>

namespace kavri {

// Starts command scripts and knows which of them are still running.
class ScriptRunner {
 public:
  virtual ~ScriptRunner() = default;
  // Paths of the scripts this window started that have not ended yet.
  virtual std::set<std::string> RunningScripts() = 0;
  // Starts the script in a console of its own, without waiting. Throws
  // Error when it cannot be started.
  virtual void Start(const std::string& scriptPath) = 0;
};

}  // namespace kavri
