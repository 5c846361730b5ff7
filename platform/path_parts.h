#pragma once

#include <string>
#include <string_view>

#include "platform/code_page.h"

namespace kavri {

// Path parts with backslash and colon as delimiters. A byte that is the second
// half of a double-byte character is never a delimiter, so every search for a
// backslash or a colon in the program goes through these.

inline constexpr std::size_t kNoDelimiter = std::string_view::npos;

// Position of the last backslash or colon that is a character of its own.
std::size_t LastDelimiter(std::string_view path, const CodePage& cp);

// Everything up to and including the last delimiter; empty when there is none.
std::string_view FolderPart(std::string_view path, const CodePage& cp);
// Everything after the last delimiter.
std::string_view FileName(std::string_view path, const CodePage& cp);
// From the last "." after the last delimiter, dot included; empty without one.
std::string_view Extension(std::string_view path, const CodePage& cp);
// The folder part without its final backslash, unless the character before
// that backslash is a colon or another backslash ("C:\" keeps it).
std::string_view Folder(std::string_view path, const CodePage& cp);
// The file name with its extension removed.
std::string_view NameWithoutExtension(std::string_view path, const CodePage& cp);

bool ContainsBackslash(std::string_view path, const CodePage& cp);
// True when the last character (not merely the last byte) is a backslash.
bool EndsWithBackslash(std::string_view path, const CodePage& cp);

}  // namespace kavri
