#pragma once

#include <span>
#include <string>

#include "platform/shortcut_value.h"

namespace kavri {

// Design values at 96 pixels per inch. The window's are its outer bounds, a
// control's are relative to the window's client area.
struct ControlDesign {
  const char* name;
  int left;
  int top;
  int width;
  int height;
  const char* caption;
  int tabOrder;  // -1 for the window itself
};

inline constexpr int kDesignDpi = 96;
inline constexpr ControlDesign kKVMainDesign{"KVMain", 232, 98, 194, 283, "kavri", -1};
inline constexpr ControlDesign kListBox1Design{"ListBox1", 0, 0, 190, 193, "", 1};
inline constexpr ControlDesign kButCopyDesign{"ButCopy", 2, 217, 40, 24, "Copy", 2};
inline constexpr ControlDesign kButMoveDesign{"ButMove", 45, 217, 40, 24, "Move", 3};
inline constexpr ControlDesign kButDelDesign{"ButDel", 90, 217, 40, 24, "Del", 4};
inline constexpr ControlDesign kComboBox1Design{"ComboBox1", 0, 195, 190, 20, "", 0};
inline constexpr ControlDesign kButQuitDesign{"ButQuit", 147, 218, 40, 24, "Quit", 5};
inline constexpr int kItemHeight = 12;
inline constexpr int kFontHeight = -12;  // 12-pixel characters

inline constexpr char kWindowClassName[] = "TKVMain";
inline constexpr char kWindowTitle[] = "kavri";

// What a menu item starts. The window maps each to its handler.
enum class Command {
  None,
  New,
  Mkdir,
  Rename,
  Timestamp,
  AddStartmenu,
  StayOnTop,
  Quit,
  Scandisk,
  Defrag,
  Readme,
};

struct MenuItemDesign {
  const char* name;
  const char* caption;   // "-" for a separator
  unsigned shortcut;     // virtual key + 0x2000 Shift + 0x4000 Ctrl + 0x8000 Alt; 0 for none
  Command command;
  bool topLevel;         // a menu of the bar; the items after it belong to it
};

inline constexpr char kAddToShellCaption[] = "Add to &shell";
inline constexpr char kRemoveFromShellCaption[] = "Remove from &shell";

// MainMenu1, in the order the items stand in the bar and its two menus.
std::span<const MenuItemDesign> MainMenu1Design();


struct KeyChord {
  unsigned char key;
  bool shift;
  bool ctrl;
  bool alt;
  bool operator==(const KeyChord&) const = default;
};

KeyChord ShortcutToChord(unsigned shortcut);
// The text a menu shows beside its caption: "F1", "Shift+Ins", "Ctrl+T".
std::string ShortcutText(unsigned shortcut);

}  // namespace kavri
