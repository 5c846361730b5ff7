#include "mainwindow/intake.h"

namespace kavri {

void TakeDroppedPaths(const LineList& paths, ItemList& list) {
  ItemListUpdate update(list);
  for (const std::string& path : paths) list.Append(path);
}

void TakeCommandLine(const LineList& arguments, ItemList& list, DestinationBox& box) {
  ItemListUpdate update(list);
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (!argument.empty() && argument.front() == '-') continue;
    list.Append(argument);
    if (i == 0) box.SetText(argument);
  }
}

}  // namespace kavri
