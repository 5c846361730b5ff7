#include "mainwindow/design.h"

#include <gtest/gtest.h>

#include <vector>

namespace kavri {
namespace {

struct MenuRow {
  std::string name;
  std::string caption;
  unsigned shortcut;
  Command command;
  bool topLevel;
  bool operator==(const MenuRow&) const = default;
};

TEST(Design, MainMenu1) {
  const std::vector<MenuRow> expected = {
      {"File1", "&File", 0, Command::None, true},
      {"New1", "&New", 112, Command::New, false},
      {"Mkdir1", "&Mkdir", 8237, Command::Mkdir, false},
      {"Rename1", "&Ren", 113, Command::Rename, false},
      {"timestamp1", "&Timestamp", 16468, Command::Timestamp, false},
      {"N1", "-", 0, Command::None, false},
      {"AddStartmenu1", "Add to &shell", 0, Command::AddStartmenu, false},
      {"StayOnTop1", "&Stay On Top", 0, Command::StayOnTop, false},
      {"N2", "-", 0, Command::None, false},
      {"Quit1", "&Quit", 16465, Command::Quit, false},
      {"Tool1", "&Tool", 0, Command::None, true},
      {"Scandisk1", "&Scandisk", 16467, Command::Scandisk, false},
      {"Defrag1", "&Defrag", 16452, Command::Defrag, false},
      {"N3", "-", 0, Command::None, false},
      {"Readme1", "&Readme", 16466, Command::Readme, false},
  };
  std::vector<MenuRow> actual;
  for (const MenuItemDesign& item : MainMenu1Design()) {
    actual.push_back({item.name, item.caption, item.shortcut, item.command, item.topLevel});
  }
  EXPECT_EQ(actual, expected);
}

TEST(Design, ShortcutsSplitIntoKeyAndModifiers) {
  struct Case {
    unsigned shortcut;
    KeyChord chord;
    std::string text;
  };
  const Case cases[] = {
      {112, {0x70, false, false, false}, "F1"},
      {113, {0x71, false, false, false}, "F2"},
      {8237, {0x2D, true, false, false}, "Shift+Ins"},
      {16468, {'T', false, true, false}, "Ctrl+T"},
      {16465, {'Q', false, true, false}, "Ctrl+Q"},
      {0x4000 + 0x8000 + 75, {'K', false, true, true}, "Ctrl+Alt+K"},
      {0, {0, false, false, false}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shortcut);
    EXPECT_EQ(ShortcutToChord(c.shortcut), c.chord);
    EXPECT_EQ(ShortcutText(c.shortcut), c.text);
  }
}

TEST(Design, ControlValues) {
  EXPECT_STREQ(kWindowClassName, "TKVMain");
  EXPECT_STREQ(kWindowTitle, "kavri");
  struct Row {
    const ControlDesign* design;
    int left, top, width, height, tabOrder;
    std::string caption;
  };
  const Row rows[] = {
      {&kKVMainDesign, 232, 98, 194, 283, -1, "kavri"},
      {&kListBox1Design, 0, 0, 190, 193, 1, ""},
      {&kButCopyDesign, 2, 217, 40, 24, 2, "Copy"},
      {&kButMoveDesign, 45, 217, 40, 24, 3, "Move"},
      {&kButDelDesign, 90, 217, 40, 24, 4, "Del"},
      {&kComboBox1Design, 0, 195, 190, 20, 0, ""},
      {&kButQuitDesign, 147, 218, 40, 24, 5, "Quit"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.design->name);
    EXPECT_EQ(row.design->left, row.left);
    EXPECT_EQ(row.design->top, row.top);
    EXPECT_EQ(row.design->width, row.width);
    EXPECT_EQ(row.design->height, row.height);
    EXPECT_EQ(row.design->tabOrder, row.tabOrder);
    EXPECT_EQ(std::string(row.design->caption), row.caption);
  }
}

}  // namespace
}  // namespace kavri
