#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kavri {

using LineList = std::vector<std::string>;

// A line ends at CR LF, at a lone CR or at a lone LF; a terminator at the very
// end adds no empty line, and reading stops at the first NUL byte.
LineList SplitLines(std::string_view text);

// Every line, the last one included, followed by CR LF. No lines, no bytes.
std::string JoinLines(const LineList& lines);

}  // namespace kavri
