#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "platform/code_page.h"

namespace kavri {

// The active ANSI code page's lead bytes and lower-casing.
CodePage SystemCodePage();

std::wstring ToWide(std::string_view text, UINT codePage = CP_ACP);

// The text in `codePage`, or none when a character has no exact form there.
// The system's best-fit mapping would turn "é" into "e" and unknown
// characters into "?", a wildcard to DEL and XCOPY; neither is acceptable for
// a path.
std::optional<std::string> ToCodePageExact(std::wstring_view text, UINT codePage = CP_ACP);

// Lossy conversion, for texts that are only shown.
std::string ToCodePageLossy(std::wstring_view text, UINT codePage = CP_ACP);

// The last system error as a short English text.
std::string SystemErrorText(DWORD error);

}  // namespace kavri
