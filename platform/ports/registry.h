#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kavri {

enum class RegistryRoot { CurrentUser, ClassesRoot };

// The registry, with key paths relative to a root ("*\shell\kavri").
class Registry {
 public:
  virtual ~Registry() = default;
  virtual bool KeyExists(RegistryRoot root, std::string_view key) = 0;
  // Reads a text value of an existing key without creating anything.
  virtual std::optional<std::string> ReadText(RegistryRoot root, std::string_view key,
                                              std::string_view name) = 0;
  // Opens `key`, creating missing keys, and writes its default value.
  // Throws Error when the value cannot be set.
  virtual void WriteDefault(RegistryRoot root, std::string_view key, std::string_view value) = 0;
  // Deletes `key` with everything below it. False when it could not.
  virtual bool DeleteTree(RegistryRoot root, std::string_view key) = 0;
};

}  // namespace kavri
