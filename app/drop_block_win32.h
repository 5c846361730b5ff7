#pragma once

#include <windows.h>

#include <string_view>

namespace kavri {

// A 17-byte movable block: the header and an empty path list.
HGLOBAL NewDropBlock();

// Appends `path` to the list of `block` and returns the grown block, or null
// when it cannot be grown (the block passed in is then untouched and still
// the caller's).
HGLOBAL AddDropFile(HGLOBAL block, std::string_view path);

}  // namespace kavri
