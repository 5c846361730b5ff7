#include "platform/win32/oem_converter.h"

#include <windows.h>

#include "platform/win32/text.h"

namespace kavri {

std::optional<std::string> Win32OemConverter::FromAnsi(std::string_view ansi) {
  if (GetACP() == GetOEMCP() || ansi.empty()) return std::string(ansi);
  // ASCII is the same in the ANSI and OEM pages; most scripts are nothing else.
  bool ascii = true;
  for (char c : ansi) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii) return std::string(ansi);
  const int length = static_cast<int>(ansi.size());
  const int size = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi.data(), length, nullptr, 0);
  if (size <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi.data(), length, wide.data(), size);
  return ToCodePageExact(wide, CP_OEMCP);
}

}  // namespace kavri
