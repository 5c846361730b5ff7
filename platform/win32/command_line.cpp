#include "platform/win32/command_line.h"

#include <windows.h>

#include <string_view>

#include "platform/command_line_split.h"

namespace kavri {

std::vector<std::wstring> CommandLineArguments() {
  const wchar_t* line = GetCommandLineW();
  const std::wstring_view view(line ? line : L"");
  std::vector<std::wstring> arguments;
  for (const std::u16string& argument :
       SplitCommandLine(std::u16string_view(reinterpret_cast<const char16_t*>(view.data()),
                                            view.size()))) {
    arguments.emplace_back(argument.begin(), argument.end());
  }
  return arguments;
}

std::wstring ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace kavri
