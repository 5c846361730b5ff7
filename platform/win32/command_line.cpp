#include "platform/win32/command_line.h"

#include <windows.h>

#include "platform/command_line_split.h"

namespace kavri {

std::vector<std::wstring> CommandLineArguments() {
  const wchar_t* line = GetCommandLineW();
  return SplitCommandLine(line ? line : L"");
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
