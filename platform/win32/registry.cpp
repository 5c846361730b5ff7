#include "platform/win32/registry.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/error.h"
#include "platform/win32/handles.h"
#include "platform/win32/text.h"

namespace kavri {
namespace {

HKEY RootKey(RegistryRoot root) {
  return root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_CLASSES_ROOT;
}

}  // namespace

bool Win32Registry::KeyExists(RegistryRoot root, std::string_view key) {
  RegKey opened;
  return RegOpenKeyExA(RootKey(root), std::string(key).c_str(), 0, KEY_READ, opened.Put()) ==
         ERROR_SUCCESS;
}

std::optional<std::string> Win32Registry::ReadText(RegistryRoot root, std::string_view key,
                                                   std::string_view name) {
  RegKey opened;
  if (RegOpenKeyExA(RootKey(root), std::string(key).c_str(), 0, KEY_READ, opened.Put()) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  const std::string valueName(name);
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(opened.Get(), valueName.c_str(), nullptr, &type, nullptr, &size) !=
          ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return std::nullopt;
  }
  std::string value(size, '\0');
  if (RegQueryValueExA(opened.Get(), valueName.c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(value.data()), &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.resize(std::min<std::size_t>(size, value.size()));
  if (const auto nul = value.find('\0'); nul != std::string::npos) value.resize(nul);
  return value;
}

void Win32Registry::WriteDefault(RegistryRoot root, std::string_view key, std::string_view value) {
  RegKey opened;
  const LONG created = RegCreateKeyExA(RootKey(root), std::string(key).c_str(), 0, nullptr, 0,
                                       KEY_ALL_ACCESS, nullptr, opened.Put(), nullptr);
  const std::string text(value);
  const LONG written =
      created != ERROR_SUCCESS
          ? created
          : RegSetValueExA(opened.Get(), nullptr, 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(text.c_str()),
                           static_cast<DWORD>(text.size() + 1));
  if (written != ERROR_SUCCESS) {
    throw Error("Failed to set data for '': " + SystemErrorText(static_cast<DWORD>(written)));
  }
}

bool Win32Registry::DeleteTree(RegistryRoot root, std::string_view key) {
  const LONG result = RegDeleteTreeA(RootKey(root), std::string(key).c_str());
  return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

}  // namespace kavri
