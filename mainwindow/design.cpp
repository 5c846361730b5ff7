#include "mainwindow/design.h"

#include <array>

#include "platform/decimal_text.h"

namespace kavri {
namespace {

constexpr std::array<MenuItemDesign, 15> kMainMenu1{{
    {"File1", "&File", 0, Command::None, true},
    {"New1", "&New", 112, Command::New, false},
    {"Mkdir1", "&Mkdir", 8237, Command::Mkdir, false},
    {"Rename1", "&Ren", 113, Command::Rename, false},
    {"timestamp1", "&Timestamp", 16468, Command::Timestamp, false},
    {"N1", "-", 0, Command::None, false},
    {"AddStartmenu1", kAddToShellCaption, 0, Command::AddStartmenu, false},
    {"StayOnTop1", "&Stay On Top", 0, Command::StayOnTop, false},
    {"N2", "-", 0, Command::None, false},
    {"Quit1", "&Quit", 16465, Command::Quit, false},
    {"Tool1", "&Tool", 0, Command::None, true},
    {"Scandisk1", "&Scandisk", 16467, Command::Scandisk, false},
    {"Defrag1", "&Defrag", 16452, Command::Defrag, false},
    {"N3", "-", 0, Command::None, false},
    {"Readme1", "&Readme", 16466, Command::Readme, false},
}};

constexpr unsigned char kVkInsert = 0x2D;
constexpr unsigned char kVkDelete = 0x2E;
constexpr unsigned char kVkF1 = 0x70;
constexpr unsigned char kVkF24 = 0x87;

std::string KeyName(unsigned char key) {
  if (key >= kVkF1 && key <= kVkF24) return "F" + DecimalText(key - kVkF1 + 1);
  if (key == kVkInsert) return "Ins";
  if (key == kVkDelete) return "Del";
  return std::string(1, static_cast<char>(key));
}

}  // namespace

std::span<const MenuItemDesign> MainMenu1Design() { return kMainMenu1; }

KeyChord ShortcutToChord(unsigned shortcut) {
  return KeyChord{static_cast<unsigned char>(shortcut & 0xFF), (shortcut & kShortcutShift) != 0,
                  (shortcut & kShortcutCtrl) != 0, (shortcut & kShortcutAlt) != 0};
}

std::string ShortcutText(unsigned shortcut) {
  if (shortcut == 0) return {};
  const KeyChord chord = ShortcutToChord(shortcut);
  std::string text;
  if (chord.shift) text += "Shift+";
  if (chord.ctrl) text += "Ctrl+";
  if (chord.alt) text += "Alt+";
  return text + KeyName(chord.key);
}

}  // namespace kavri
