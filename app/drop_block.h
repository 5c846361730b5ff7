#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/line_list.h"

namespace kavri {

// The drop block that carries the second start's argument: the shell's
// drop-files structure in its 16-byte-header form, without the wide-character
// flag of the later 20-byte form. All integers little-endian.
//   0  offset of the path list, always 16
//   4  drop point x (0)     8  drop point y (0)     12  non-client flag (1)
//   16 NUL-terminated 8-bit paths, then one more NUL that ends the list
inline constexpr std::size_t kDropHeaderSize = 16;
inline constexpr std::uint32_t kDropListOffset = 16;
// GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE
inline constexpr unsigned kDropBlockFlags = 0x2042;
// WM_DROPFILES; a hand-off by WM_COPYDATA carries it as its tag.
inline constexpr unsigned kWmDropFiles = 0x0233;

// Fills the 16 header bytes.
void WriteDropHeader(std::span<unsigned char, kDropHeaderSize> header);

// Offset of the empty entry that ends the path list, or none when the block
// is too short, names another list offset, or has no end inside it.
std::optional<std::size_t> DropListEnd(std::span<const unsigned char> block);

// The paths of a block received from another process, or none when the
// block is not a well-formed drop block. Never reads past its end.
std::optional<LineList> ParseDropBlock(std::span<const unsigned char> block);

// The shell's drops arrive in the later 20-byte form, whose offset 16 says
// whether the paths are UTF-16 or 8-bit text in the ANSI page.
inline constexpr std::size_t kDropFilesHeaderSize = 20;

struct DropFilesPaths {
  bool wide = false;
  std::vector<std::u16string> widePaths;
  LineList narrowPaths;
};

// The paths of such a block in one pass (the system's per-index query walks
// the list from its start each time, which is quadratic in a drop of many
// thousands), or none when the list does not lie inside the block and end
// there, so that nothing is ever read past its end.
std::optional<DropFilesPaths> ParseDropFiles(std::span<const unsigned char> block);

}  // namespace kavri
