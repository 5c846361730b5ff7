#pragma once

#include "platform/line_list.h"
#include "platform/ports/destination_box.h"
#include "platform/ports/item_list.h"

namespace kavri {

// Paths that arrive by a drop from the file manager or from a second start.
void TakeDroppedPaths(const LineList& paths, ItemList& list);

// The command line: arguments that begin with "-" are skipped, every other
// one is listed, and the first argument also becomes the destination text.
void TakeCommandLine(const LineList& arguments, ItemList& list, DestinationBox& box);

}  // namespace kavri
