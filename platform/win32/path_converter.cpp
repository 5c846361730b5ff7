#include "platform/win32/path_converter.h"

#include <windows.h>

#include "platform/win32/text.h"

namespace kavri {

std::optional<std::string> Win32PathConverter::Exact(const std::wstring& path) {
  return ToCodePageExact(path, CP_ACP);
}

std::optional<std::wstring> Win32PathConverter::ShortForm(const std::wstring& path) {
  const DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (size == 0) return std::nullopt;
  std::wstring shortPath(size, L'\0');
  const DWORD length = GetShortPathNameW(path.c_str(), shortPath.data(), size);
  if (length == 0 || length >= size) return std::nullopt;
  shortPath.resize(length);
  if (shortPath == path) return std::nullopt;
  return shortPath;
}

bool Win32KeyState::CtrlDown() { return GetKeyState(VK_CONTROL) < 0; }

std::optional<std::string> AnsiPathFor(const std::wstring& path) {
  Win32PathConverter converter;
  if (auto exact = converter.Exact(path)) return exact;
  if (auto shortForm = converter.ShortForm(path)) return converter.Exact(*shortForm);
  return std::nullopt;
}

}  // namespace kavri
