// Any bytes as a hand-off block or a drop block from another program: the
// parsers must stay inside the block, and what they accept must be sound.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "app/drop_block.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kavri;
  // A copy of exactly `size` bytes, so the address sanitizer sees any read
  // past the end.
  const std::vector<unsigned char> block(data, data + size);
  const std::span<const unsigned char> bytes(block.data(), block.size());
  const auto paths = ParseDropBlock(bytes);
  const auto end = DropListEnd(bytes);
  if (paths.has_value() != end.has_value()) std::abort();
  if (paths) {
    std::size_t used = kDropHeaderSize;
    for (const std::string& path : *paths) {
      if (path.empty() || path.find('\0') != std::string::npos) std::abort();
      used += path.size() + 1;
    }
    if (used != *end || *end >= size) std::abort();
  }
  if (const auto dropped = ParseDropFiles(bytes)) {
    for (const std::u16string& path : dropped->widePaths) {
      if (path.empty() || path.find(u'\0') != std::u16string::npos) std::abort();
    }
    for (const std::string& path : dropped->narrowPaths) {
      if (path.empty() || path.find('\0') != std::string::npos) std::abort();
    }
  }
  return 0;
}
