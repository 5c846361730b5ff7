#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kavri {

// The arguments of a process command line after the program name. Blanks
// and tabs outside double quotes separate arguments; a double quote starts
// or ends a quoted part and is dropped; a backslash is always itself. Unlike
// the C runtime's rules, a backslash before a quote escapes nothing: the
// file manager's "%1" of a drive gives "D:\", which must stay D:\ and not
// become D:" swallowing what follows. No path holds a double quote.
std::vector<std::wstring> SplitCommandLine(std::wstring_view commandLine);

}  // namespace kavri
