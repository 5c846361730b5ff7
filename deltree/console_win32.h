#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace kavri::deltree {

// Writes to a console in UTF-16, so every character shows; to a file or pipe
// in the console's code page, as other console tools do.
void WriteOut(std::wstring_view text);
void WriteError(std::wstring_view text);

// The next line of standard input without its line end; empty at its end.
std::wstring ReadAnswerLine();

// A short English text for a system error code.
std::wstring ErrorText(DWORD error);

}  // namespace kavri::deltree
