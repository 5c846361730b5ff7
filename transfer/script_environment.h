#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kavri {

// The environment block for a script: the given "NAME=value" entries with
// `folder` put first on PATH, so that the script's DELTREE finds the
// deltree.exe that ships beside kavri. Entries end with NUL, the block with
// one more.
std::string EnvironmentBlockWithPathFirst(const std::vector<std::string>& entries,
                                          std::string_view folder);

}  // namespace kavri
