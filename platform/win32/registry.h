#pragma once

#include "platform/ports/registry.h"

namespace kavri {

class Win32Registry final : public Registry {
 public:
  bool KeyExists(RegistryRoot root, std::string_view key) override;
  std::optional<std::string> ReadText(RegistryRoot root, std::string_view key,
                                      std::string_view name) override;
  void WriteDefault(RegistryRoot root, std::string_view key, std::string_view value) override;
  bool DeleteTree(RegistryRoot root, std::string_view key) override;
};

}  // namespace kavri
