#include "utilities/shell_entry.h"

#include "mainwindow/design.h"
#include "platform/error.h"

namespace kavri {

bool ShellEntryPresent(Registry& registry) {
  return registry.KeyExists(RegistryRoot::ClassesRoot, kFileEntryKey);
}

std::string ShellCommandTemplate(const std::string& exePath) {
  return "\"" + exePath + "\" \"%1\"";
}

std::optional<std::string> SwitchShellEntry(Registry& registry, Dialogs& dialogs,
                                            const std::string& exePath) {
  const RegistryRoot root = RegistryRoot::ClassesRoot;
  if (registry.KeyExists(root, kFileEntryCommandKey)) {
    if (dialogs.Show("Remove kavri from popup menu of shell?", "kavri", kMbOkCancel) != kIdOk) {
      return std::nullopt;
    }
    // Both entries go, or the folders' context menu would keep offering kavri
    // after the user removed it.
    const bool files = registry.DeleteTree(root, kFileEntryKey);
    const bool folders = registry.DeleteTree(root, kFolderEntryKey);
    if (!files || !folders) throw Error("Cannot remove kavri from the popup menu of the shell");
    return std::string(kAddToShellCaption);
  }
  if (dialogs.Show("Add kavri to popup menu of shell?", "kavri", kMbOkCancel) != kIdOk) {
    return std::nullopt;
  }
  const std::string command = ShellCommandTemplate(exePath);
  registry.WriteDefault(root, kFileEntryCommandKey, command);
  registry.WriteDefault(root, kFolderEntryCommandKey, command);
  return std::string(kRemoveFromShellCaption);
}

}  // namespace kavri
