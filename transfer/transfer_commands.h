#pragma once

#include <string>

#include "platform/ports/destination_box.h"
#include "platform/ports/dialogs.h"
#include "platform/ports/item_list.h"
#include "platform/ports/shortcut_reader.h"
#include "transfer/script.h"

namespace kavri {

// What Copy, Move and Delete work with: the window's list and box, the
// outside world, and the module globals they read.
struct TransferContext {
  ItemList& list;
  DestinationBox& box;
  Dialogs& dialogs;
  ShortcutReader& shortcuts;
  ScriptPorts script;
  const std::string& exeDir;
  const std::string& desktopDir;
  const std::string& batPath;
};

// Copy or Move of the whole list to the destination text: a bare name is
// resolved, a missing folder is confirmed, the script is written and
// started, the list emptied and the destination as typed put into the
// history. An empty destination or list does nothing.
void RunTransfer(TransferKind kind, TransferContext& context);

// Delete of the whole list, after "Really?". An empty list still gives an
// empty script.
void DeleteAll(TransferContext& context);

// A destination name, without a backslash or a colon: the shortcut "name.lnk" beside the
// program, then on the desktop, followed to its target; otherwise the folder
// "name" beside the first listed item. A shortcut that cannot be read counts
// as not there. Called only while the list has a line.
std::string ResolveDestination(const std::string& name, TransferContext& context);

}  // namespace kavri
