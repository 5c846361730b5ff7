#include "utilities/item_utilities.h"

namespace kavri {

void OpenCurrentItem(const ItemList& list, Launcher& launcher) {
  const int current = list.Current();
  if (current >= 0) launcher.Open(list.Line(current));
}

void RenameCurrentItem(ItemList& list, DestinationBox& box, FileSystem& fs, Dialogs& dialogs) {
  const int current = list.Current();
  if (current < 0) return;
  const std::string newPath = box.Text();
  if (!fs.Move(list.Line(current), newPath)) {
    dialogs.Show("error", "Rename", kMbIconStop);
    return;
  }
  list.SetLine(current, newPath);
  box.SetText("");
}

bool MakeFolderFromBox(const DestinationBox& box, FileSystem& fs, Dialogs& dialogs) {
  if (fs.MakeFolder(box.Text())) return true;
  dialogs.Show("Can't create dir", "mkdir", kMbIconStop);
  return false;
}

void ExploreDestination(const DestinationBox& box, Launcher& launcher) {
  launcher.Run("explorer.exe \"" + box.Text() + "\"");
}

}  // namespace kavri
