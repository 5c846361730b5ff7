#include "mainwindow/menu_win32.h"

#include <string>
#include <vector>

namespace kavri {
namespace {

std::string MenuText(std::string_view caption, unsigned shortcut) {
  std::string text(caption);
  if (shortcut != 0) text += "\t" + ShortcutText(shortcut);
  return text;
}

unsigned ShortcutOf(UINT id) {
  const auto design = MainMenu1Design();
  const std::size_t index = id - kFirstMenuId;
  return index < design.size() ? design[index].shortcut : 0;
}

}  // namespace

HMENU BuildMainMenu1() {
  HMENU bar = CreateMenu();
  HMENU current = nullptr;
  const auto design = MainMenu1Design();
  for (std::size_t i = 0; i < design.size(); ++i) {
    const MenuItemDesign& item = design[i];
    const UINT id = kFirstMenuId + static_cast<UINT>(i);
    if (item.topLevel) {
      current = CreatePopupMenu();
      AppendMenuA(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(current), item.caption);
    } else if (std::string_view(item.caption) == "-") {
      AppendMenuA(current, MF_SEPARATOR, id, nullptr);
    } else {
      AppendMenuA(current, MF_STRING, id, MenuText(item.caption, item.shortcut).c_str());
    }
  }
  return bar;
}

AcceleratorTable BuildMenuAccelerators() {
  std::vector<ACCEL> table;
  const auto design = MainMenu1Design();
  for (std::size_t i = 0; i < design.size(); ++i) {
    if (design[i].shortcut == 0) continue;
    const KeyChord chord = ShortcutToChord(design[i].shortcut);
    ACCEL accel{};
    accel.fVirt = static_cast<BYTE>(FVIRTKEY | (chord.shift ? FSHIFT : 0) |
                                    (chord.ctrl ? FCONTROL : 0) | (chord.alt ? FALT : 0));
    accel.key = chord.key;
    accel.cmd = static_cast<WORD>(kFirstMenuId + i);
    table.push_back(accel);
  }
  return AcceleratorTable(CreateAcceleratorTableA(table.data(), static_cast<int>(table.size())));
}

std::optional<Command> CommandForMenuId(UINT id) {
  const auto design = MainMenu1Design();
  if (id < kFirstMenuId || id - kFirstMenuId >= design.size()) return std::nullopt;
  return design[id - kFirstMenuId].command;
}

UINT MenuIdOf(std::string_view itemName) {
  const auto design = MainMenu1Design();
  for (std::size_t i = 0; i < design.size(); ++i) {
    if (itemName == design[i].name) return kFirstMenuId + static_cast<UINT>(i);
  }
  return 0;
}

bool MenuItem::Checked() const {
  return (GetMenuState(bar_, id_, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void MenuItem::SetChecked(bool checked) {
  CheckMenuItem(bar_, id_, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void MenuItem::SetCaption(std::string_view caption) {
  const std::string text = MenuText(caption, ShortcutOf(id_));
  ModifyMenuA(bar_, id_, MF_BYCOMMAND | MF_STRING, id_, text.c_str());
}

}  // namespace kavri
