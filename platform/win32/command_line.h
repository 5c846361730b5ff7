#pragma once

#include <string>
#include <vector>

namespace kavri {

// The process's arguments after the program name, split as the platform
// splits them, in UTF-16 so no character is lost before kavri decides.
std::vector<std::wstring> CommandLineArguments();

// The full path of the running program.
std::wstring ProgramPath();

}  // namespace kavri
