#include "app/drop_block_win32.h"

#include <cstring>
#include <optional>
#include <span>

#include "app/drop_block.h"
#include "platform/win32/handles.h"

namespace kavri {

HGLOBAL NewDropBlock() {
  HGLOBAL block = GlobalAlloc(kDropBlockFlags, kDropHeaderSize + 1);
  if (!block) return nullptr;
  GlobalLockScope lock(block);
  if (!lock) {
    GlobalFree(block);
    return nullptr;
  }
  WriteDropHeader(std::span<unsigned char, kDropHeaderSize>(lock.Data(), kDropHeaderSize));
  return block;
}

HGLOBAL AddDropFile(HGLOBAL block, std::string_view path) {
  std::optional<std::size_t> end;
  {
    GlobalLockScope lock(block);
    if (!lock) return nullptr;
    end = DropListEnd(std::span<const unsigned char>(lock.Data(), GlobalSize(block)));
  }
  if (!end) return nullptr;
  const std::size_t size = (*end + 1) + path.size() + 1;
  HGLOBAL grown = GlobalReAlloc(block, size, kDropBlockFlags);
  if (!grown) return nullptr;
  GlobalLockScope lock(grown);
  if (!lock) return nullptr;
  std::memcpy(lock.Data() + *end, path.data(), path.size());
  // Growth zero-fills, which already ends the list; written anyway so the
  // block never depends on it.
  lock.Data()[*end + path.size()] = 0;
  lock.Data()[size - 1] = 0;
  return grown;
}

}  // namespace kavri
