#include "platform/line_list.h"

#include <algorithm>

namespace kavri {

LineList SplitLines(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  LineList lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t end = std::min(text.find_first_of("\r\n", pos), text.size());
    lines.emplace_back(text.substr(pos, end - pos));
    pos = end;
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;
  }
  return lines;
}

std::string JoinLines(const LineList& lines) {
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  std::string text;
  text.reserve(size);
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

}  // namespace kavri
