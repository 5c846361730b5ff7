#pragma once

namespace kavri {

// A menu-style shortcut value: the virtual-key code in the low byte plus
// these modifier bits. Menus and the shortcut component both speak it.
inline constexpr unsigned kShortcutShift = 0x2000;
inline constexpr unsigned kShortcutCtrl = 0x4000;
inline constexpr unsigned kShortcutAlt = 0x8000;

}  // namespace kavri
