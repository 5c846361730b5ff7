#include "platform/win32/command_line.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/win32/handles.h"

namespace kavri {

std::vector<std::wstring> CommandLineArguments() {
  int count = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!argv) return {};
  LocalMemory owner(reinterpret_cast<HLOCAL>(argv));
  std::vector<std::wstring> arguments;
  for (int i = 1; i < count; ++i) arguments.emplace_back(argv[i]);
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
