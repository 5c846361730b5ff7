#pragma once

#include <optional>
#include <string>

#include "platform/ports/dialogs.h"
#include "platform/ports/registry.h"

namespace kavri {

// The file manager's context-menu entries, under HKEY_CLASSES_ROOT.
inline constexpr char kFileEntryKey[] = "*\\shell\\kavri";
inline constexpr char kFileEntryCommandKey[] = "*\\shell\\kavri\\command";
inline constexpr char kFolderEntryKey[] = "folder\\shell\\kavri";
inline constexpr char kFolderEntryCommandKey[] = "folder\\shell\\kavri\\command";

// True when the entry for files is there; the menu then offers removal.
bool ShellEntryPresent(Registry& registry);

// The command the shell runs: the program and the clicked path, each quoted.
std::string ShellCommandTemplate(const std::string& exePath);

// Add to shell / Remove from shell, each after its question. Returns the
// menu's new caption, or none when nothing changed. Both entries, for files
// and for folders, are added and removed together. Throws Error when the
// registry refuses, and the caption then stays.
std::optional<std::string> SwitchShellEntry(Registry& registry, Dialogs& dialogs,
                                            const std::string& exePath);

}  // namespace kavri
