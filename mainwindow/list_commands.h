#pragma once

#include "platform/code_page.h"
#include "platform/ports/destination_box.h"
#include "platform/ports/item_list.h"

namespace kavri {

// Virtual-key codes the handlers look at.
inline constexpr unsigned kVkReturn = 13;
inline constexpr unsigned kVkEscape = 27;
inline constexpr unsigned kVkInsert = 45;
inline constexpr unsigned kVkDelete = 46;
inline constexpr unsigned kVkF5 = 116;

// Delete in the list: removes every selected line, whatever the modifiers.
// Other keys do nothing.
void ListKeyDown(unsigned key, ItemList& list);

// Removes the selected lines, leaving the others in their order. Many lines
// at once are rebuilt in one pass rather than removed one by one, which
// would cost time quadratic in the list length.
void RemoveSelectedLines(ItemList& list);

// Removes the first `count` lines, the batch a transfer took; lines added
// after them stay.
void RemoveFirstLines(ItemList& list, std::size_t count);

// What a key in the destination box asks for.
enum class BoxKeyAction { None, Copy, Move, Close, CutToFolder, Explore };
BoxKeyAction DecideBoxKey(unsigned key, bool shiftDown);

// Insert in the destination box: the text becomes its folder part, selected.
void CutDestinationToFolder(DestinationBox& box, const CodePage& cp);

// A click in the list brings the current item into the destination box.
void BringCurrentItemToBox(const ItemList& list, DestinationBox& box);

// New: an empty list and an empty destination text.
void ClearListAndBox(ItemList& list, DestinationBox& box);

}  // namespace kavri
