#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kavri {

// The arguments of a process command line after the program name, split as
// the system's CommandLineToArgvW splits them: blanks and tabs separate,
// double quotes group and are dropped, 2n backslashes before a quote give n
// backslashes and a quote that groups, 2n+1 give n backslashes and a literal
// quote, and backslashes elsewhere are literal. The program name itself ends
// at its closing quote, or at the first blank when it is not quoted.
// kavri splits by itself so that a second start does not load the shell's
// library only to read its own command line.
std::vector<std::u16string> SplitCommandLine(std::u16string_view commandLine);

}  // namespace kavri
