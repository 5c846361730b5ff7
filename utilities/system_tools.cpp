#include "utilities/system_tools.h"

namespace kavri {

std::string ReadmeCommand(const std::string& exeDir) {
  return "notepad.exe \"" + exeDir + kReadmeFileName + "\"";
}

}  // namespace kavri
