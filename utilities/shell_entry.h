#pragma once

#include "platform/ports/registry.h"

namespace kavri {

// The file manager's context-menu entries, under HKEY_CLASSES_ROOT.
inline constexpr char kFileEntryKey[] = "*\\shell\\kavri";
inline constexpr char kFileEntryCommandKey[] = "*\\shell\\kavri\\command";
inline constexpr char kFolderEntryKey[] = "folder\\shell\\kavri";
inline constexpr char kFolderEntryCommandKey[] = "folder\\shell\\kavri\\command";

// True when the entry for files is there; the menu then offers removal.
bool ShellEntryPresent(Registry& registry);

}  // namespace kavri
