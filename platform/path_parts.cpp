#include "platform/path_parts.h"

namespace kavri {
namespace {

bool IsDelimiter(char c) { return c == '\\' || c == ':'; }

// Where the last delimiter stands and where the character before it starts.
struct DelimiterScan {
  std::size_t last = kNoDelimiter;
  std::size_t charBeforeLast = kNoDelimiter;
  std::size_t lastDot = kNoDelimiter;  // the last "." after `last`
  std::size_t lastChar = kNoDelimiter;
};

// A page without lead bytes needs no walk from the start: every byte is a
// character of its own.
DelimiterScan ScanSingleByte(std::string_view path) {
  DelimiterScan scan;
  if (path.empty()) return scan;
  scan.lastChar = path.size() - 1;
  for (std::size_t i = path.size(); i-- > 0;) {
    if (IsDelimiter(path[i])) {
      scan.last = i;
      break;
    }
  }
  if (scan.last != kNoDelimiter && scan.last > 0) scan.charBeforeLast = scan.last - 1;
  const std::size_t dot = path.rfind('.');
  if (dot != std::string_view::npos && (scan.last == kNoDelimiter || dot > scan.last)) {
    scan.lastDot = dot;
  }
  return scan;
}

DelimiterScan Scan(std::string_view path, const CodePage& cp) {
  if (!cp.HasLeadBytes()) return ScanSingleByte(path);
  DelimiterScan scan;
  std::size_t previous = kNoDelimiter;
  for (std::size_t i = 0; i < path.size();) {
    const auto b = static_cast<unsigned char>(path[i]);
    if (cp.IsLeadByte(b) && i + 1 < path.size()) {
      previous = i;
      i += 2;
      continue;
    }
    if (IsDelimiter(path[i])) {
      scan.last = i;
      scan.charBeforeLast = previous;
      scan.lastDot = kNoDelimiter;
    } else if (path[i] == '.') {
      scan.lastDot = i;
    }
    previous = i;
    ++i;
  }
  scan.lastChar = previous;
  return scan;
}

}  // namespace

std::size_t LastDelimiter(std::string_view path, const CodePage& cp) {
  return Scan(path, cp).last;
}

std::string_view FolderPart(std::string_view path, const CodePage& cp) {
  const std::size_t last = LastDelimiter(path, cp);
  return last == kNoDelimiter ? std::string_view() : path.substr(0, last + 1);
}

std::string_view FileName(std::string_view path, const CodePage& cp) {
  const std::size_t last = LastDelimiter(path, cp);
  return last == kNoDelimiter ? path : path.substr(last + 1);
}

std::string_view Extension(std::string_view path, const CodePage& cp) {
  const std::size_t dot = Scan(path, cp).lastDot;
  return dot == kNoDelimiter ? std::string_view() : path.substr(dot);
}

std::string_view Folder(std::string_view path, const CodePage& cp) {
  const DelimiterScan scan = Scan(path, cp);
  if (scan.last == kNoDelimiter) return {};
  const bool keepBackslash =
      scan.last == 0 || path[scan.last] != '\\' ||
      (scan.charBeforeLast == scan.last - 1 && IsDelimiter(path[scan.last - 1]));
  return path.substr(0, keepBackslash ? scan.last + 1 : scan.last);
}

std::string_view NameWithoutExtension(std::string_view path, const CodePage& cp) {
  const std::string_view name = FileName(path, cp);
  return name.substr(0, name.size() - Extension(path, cp).size());
}

bool ContainsBackslash(std::string_view path, const CodePage& cp) {
  if (!cp.HasLeadBytes()) return path.find('\\') != std::string_view::npos;
  for (std::size_t i = 0; i < path.size(); i += cp.CharLength(path, i)) {
    if (cp.CharLength(path, i) == 1 && path[i] == '\\') return true;
  }
  return false;
}

bool EndsWithBackslash(std::string_view path, const CodePage& cp) {
  const std::size_t last = Scan(path, cp).lastChar;
  return last != kNoDelimiter && last == path.size() - 1 && path[last] == '\\';
}

}  // namespace kavri
