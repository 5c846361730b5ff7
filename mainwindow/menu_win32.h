#pragma once

#include <windows.h>

#include <optional>
#include <string_view>

#include "mainwindow/design.h"
#include "platform/win32/handles.h"

namespace kavri {

// MainMenu1 and its accelerators, built from the design table. Each item's
// command identifier is its place in the table plus kFirstMenuId.
inline constexpr UINT kFirstMenuId = 1000;

HMENU BuildMainMenu1();
AcceleratorTable BuildMenuAccelerators();
std::optional<Command> CommandForMenuId(UINT id);
UINT MenuIdOf(std::string_view itemName);

// A menu item as the handlers see it.
class MenuItem {
 public:
  MenuItem() = default;
  MenuItem(HMENU bar, UINT id) : bar_(bar), id_(id) {}
  bool Checked() const;
  void SetChecked(bool checked);
  // Sets the caption, keeping the shortcut text the menu shows beside it.
  void SetCaption(std::string_view caption);

 private:
  HMENU bar_ = nullptr;
  UINT id_ = 0;
};

}  // namespace kavri
