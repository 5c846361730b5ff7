#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "platform/ports/destination_box.h"
#include "platform/ports/file_system.h"
#include "platform/ports/item_list.h"
#include "platform/ports/key_state.h"
#include "platform/ports/path_converter.h"
#include "platform/ports/shortcut_reader.h"

namespace kavri {

// Paths as they arrived, each in the ANSI page, or none where it could not
// be put there exactly; a missing one keeps its place so that "the first
// argument" and "a single path" keep their meaning.
using ArrivedPaths = std::vector<std::optional<std::string>>;

struct ConvertedPaths {
  ArrivedPaths paths;
  std::vector<std::wstring> refused;
};

// A path that converts exactly is used as it is; otherwise its short (8.3)
// form when it has one that converts exactly; otherwise it is refused.
ConvertedPaths ConvertArrivedPaths(const std::vector<std::wstring>& paths,
                                   PathConverter& converter);

// The message that names refused paths.
std::wstring RefusedPathsMessage(const std::vector<std::wstring>& refused);

struct IntakePorts {
  ItemList& list;
  DestinationBox& box;
  FileSystem& fs;
  ShortcutReader& shortcuts;
  KeyState& keys;
  const CodePage& cp;
};

// A drop, from the file manager or a second start. With Ctrl held a path is
// listed as it is. Otherwise a shortcut stands for its target (one that
// cannot be read stands for itself), a single existing folder becomes the
// destination text, and everything else is listed.
void TakeDroppedPaths(const ArrivedPaths& paths, IntakePorts& ports);

// The command line: empty arguments and those that begin with "-" are
// skipped, every other one is listed, and the first argument also becomes
// the destination text.
void TakeCommandLine(const ArrivedPaths& arguments, ItemList& list, DestinationBox& box);

}  // namespace kavri
