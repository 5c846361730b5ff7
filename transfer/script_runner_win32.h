#pragma once

#include <string>
#include <vector>

#include "platform/ports/script_runner.h"
#include "platform/win32/handles.h"

namespace kavri {

// Starts scripts through the command interpreter and keeps their process
// handles, so a script that is still running is never rewritten.
class ProcessScriptRunner final : public ScriptRunner {
 public:
  std::set<std::string> RunningScripts() override;
  void Start(const std::string& scriptPath) override;

 private:
  struct Running {
    std::string path;
    KernelHandle process;
  };
  std::vector<Running> running_;
};

// The command line that runs a script: the interpreter with delayed
// expansion off (a "!" in a path stays literal even where it was switched on
// for all scripts) and the script path quoted (an unquoted path in a folder
// with blanks can start another program).
std::string ScriptCommandLine(const std::string& interpreter, const std::string& scriptPath);

}  // namespace kavri
