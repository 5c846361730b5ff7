#include "utilities/shell_entry.h"

namespace kavri {

bool ShellEntryPresent(Registry& registry) {
  return registry.KeyExists(RegistryRoot::ClassesRoot, kFileEntryKey);
}

}  // namespace kavri
