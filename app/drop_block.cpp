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

bool IsReadableDropFiles(std::span<const unsigned char> block) {
  if (block.size() < kDropFilesHeaderSize) return false;
  const std::uint32_t offset = GetU32(block.data());
  const bool wide = GetU32(block.data() + 16) != 0;
  if (offset < kDropFilesHeaderSize || offset >= block.size()) return false;
  const std::size_t unit = wide ? 2 : 1;
  bool previousWasEnd = true;  // an empty first entry ends the list at once
  for (std::size_t pos = offset; pos + unit <= block.size(); pos += unit) {
    const bool end = block[pos] == 0 && (!wide || block[pos + 1] == 0);
    if (end && previousWasEnd) return true;
    previousWasEnd = end;
  }
  return false;
}

}  // namespace kavri
