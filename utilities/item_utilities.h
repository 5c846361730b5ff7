#pragma once

#include <string>

#include "platform/ports/destination_box.h"
#include "platform/ports/dialogs.h"
#include "platform/ports/file_system.h"
#include "platform/ports/item_list.h"
#include "platform/ports/launcher.h"

namespace kavri {

// Double click: opens the current item, whatever its length.
void OpenCurrentItem(const ItemList& list, Launcher& launcher);

// F2: the current item is renamed (or moved) to the destination text. On
// success its line becomes the new path and the box is emptied; on failure
// "error" is shown and nothing changes.
void RenameCurrentItem(ItemList& list, DestinationBox& box, FileSystem& fs, Dialogs& dialogs);

// Shift+Insert: makes the one folder the destination text names (no
// parents). True when it was made and the window should close.
bool MakeFolderFromBox(const DestinationBox& box, FileSystem& fs, Dialogs& dialogs);

// F5: the destination text in the file manager.
void ExploreDestination(const DestinationBox& box, Launcher& launcher);

}  // namespace kavri
