#include "mainwindow/list_commands.h"

#include <algorithm>

#include "platform/path_parts.h"

namespace kavri {
namespace {

// Up to this many selected lines are removed one by one, which keeps the
// list's scroll position; beyond it the list is rebuilt once.
constexpr std::size_t kRemoveOneByOneLimit = 32;

}  // namespace

void ListKeyDown(unsigned key, ItemList& list) {
  if (key == kVkDelete) RemoveSelectedLines(list);
}

void RemoveSelectedLines(ItemList& list) {
  std::vector<int> selected = list.SelectedIndices();
  if (selected.empty()) return;
  std::sort(selected.begin(), selected.end());
  ItemListUpdate update(list);
  if (selected.size() <= kRemoveOneByOneLimit) {
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) list.RemoveAt(*it);
    return;
  }
  const LineList lines = list.Lines();
  LineList kept;
  kept.reserve(lines.size() - std::min(lines.size(), selected.size()));
  auto next = selected.begin();
  for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
    if (next != selected.end() && *next == i) {
      ++next;
      continue;
    }
    kept.push_back(lines[static_cast<std::size_t>(i)]);
  }
  list.ReplaceAll(kept);
}

void RemoveFirstLines(ItemList& list, std::size_t count) {
  const auto total = static_cast<std::size_t>(list.Count());
  if (count >= total) {
    list.Clear();
    return;
  }
  LineList rest;
  rest.reserve(total - count);
  for (std::size_t i = count; i < total; ++i) rest.push_back(list.Line(static_cast<int>(i)));
  list.ReplaceAll(rest);
}

BoxKeyAction DecideBoxKey(unsigned key, bool shiftDown) {
  switch (key) {
    case kVkReturn: return shiftDown ? BoxKeyAction::Move : BoxKeyAction::Copy;
    case kVkEscape: return BoxKeyAction::Close;
    case kVkInsert: return BoxKeyAction::CutToFolder;
    case kVkF5: return BoxKeyAction::Explore;
    default: return BoxKeyAction::None;
  }
}

void CutDestinationToFolder(DestinationBox& box, const CodePage& cp) {
  box.SetText(std::string(FolderPart(box.Text(), cp)));
  box.SelectAll();
}

void BringCurrentItemToBox(const ItemList& list, DestinationBox& box) {
  const int current = list.Current();
  if (current >= 0) box.SetText(list.Line(current));
}

void ClearListAndBox(ItemList& list, DestinationBox& box) {
  list.Clear();
  box.SetText("");
}

}  // namespace kavri
