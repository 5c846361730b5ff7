#include "app/drop_block.h"

#include <algorithm>

namespace kavri {
namespace {

void PutU32(unsigned char* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(value >> (8 * i));
}

std::uint32_t GetU32(const unsigned char* at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | at[i];
  return value;
}

// Walks the list from its offset; calls `onPath` for each entry and returns
// the offset of the empty entry that ends it.
template <typename OnPath>
std::optional<std::size_t> WalkList(std::span<const unsigned char> block, OnPath onPath) {
  if (block.size() < kDropHeaderSize + 1) return std::nullopt;
  if (GetU32(block.data()) != kDropListOffset) return std::nullopt;
  std::size_t pos = kDropListOffset;
  while (pos < block.size() && block[pos] != 0) {
    const auto end = std::find(block.begin() + static_cast<std::ptrdiff_t>(pos), block.end(), 0);
    if (end == block.end()) return std::nullopt;
    const auto endPos = static_cast<std::size_t>(end - block.begin());
    onPath(block.subspan(pos, endPos - pos));
    pos = endPos + 1;
  }
  if (pos >= block.size()) return std::nullopt;
  return pos;
}

}  // namespace

void WriteDropHeader(std::span<unsigned char, kDropHeaderSize> header) {
  PutU32(header.data(), kDropListOffset);
  PutU32(header.data() + 4, 0);
  PutU32(header.data() + 8, 0);
  PutU32(header.data() + 12, 1);
}

std::optional<std::size_t> DropListEnd(std::span<const unsigned char> block) {
  return WalkList(block, [](std::span<const unsigned char>) {});
}

std::optional<LineList> ParseDropBlock(std::span<const unsigned char> block) {
  LineList paths;
  const auto end = WalkList(block, [&paths](std::span<const unsigned char> path) {
    paths.emplace_back(reinterpret_cast<const char*>(path.data()), path.size());
  });
  if (!end) return std::nullopt;
  return paths;
}

std::optional<DropFilesPaths> ParseDropFiles(std::span<const unsigned char> block) {
  if (block.size() < kDropFilesHeaderSize) return std::nullopt;
  const std::uint32_t offset = GetU32(block.data());
  if (offset < kDropFilesHeaderSize || offset >= block.size()) return std::nullopt;
  DropFilesPaths paths;
  paths.wide = GetU32(block.data() + 16) != 0;
  const std::size_t unit = paths.wide ? 2 : 1;
  std::u16string wide;
  std::string narrow;
  bool empty = true;  // the entry read so far is empty
  for (std::size_t pos = offset; pos + unit <= block.size(); pos += unit) {
    const char16_t c = paths.wide ? static_cast<char16_t>(block[pos] | (block[pos + 1] << 8))
                                  : static_cast<char16_t>(block[pos]);
    if (c != 0) {
      if (paths.wide) {
        wide += c;
      } else {
        narrow += static_cast<char>(block[pos]);
      }
      empty = false;
      continue;
    }
    if (empty) return paths;  // the empty entry that ends the list
    if (paths.wide) {
      paths.widePaths.push_back(std::move(wide));
      wide.clear();
    } else {
      paths.narrowPaths.push_back(std::move(narrow));
      narrow.clear();
    }
    empty = true;
  }
  return std::nullopt;
}

}  // namespace kavri
