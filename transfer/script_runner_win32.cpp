#include "transfer/script_runner_win32.h"

#include <windows.h>

#include <algorithm>

#include "platform/code_page.h"
#include "platform/error.h"
#include "platform/path_parts.h"
#include "platform/win32/text.h"
#include "transfer/script_environment.h"

namespace kavri {
namespace {

std::string Interpreter() {
  char buffer[MAX_PATH];
  const DWORD length = GetEnvironmentVariableA("ComSpec", buffer, MAX_PATH);
  if (length > 0 && length < MAX_PATH) return std::string(buffer, length);
  const UINT systemLength = GetSystemDirectoryA(buffer, MAX_PATH);
  return std::string(buffer, systemLength < MAX_PATH ? systemLength : 0) + "\\cmd.exe";
}

std::vector<std::wstring> CurrentEnvironment() {
  std::vector<std::wstring> entries;
  wchar_t* block = GetEnvironmentStringsW();
  if (!block) return entries;
  for (const wchar_t* entry = block; *entry; entry += entries.back().size() + 1) {
    entries.emplace_back(entry);
  }
  FreeEnvironmentStringsW(block);
  return entries;
}

}  // namespace

std::string ScriptCommandLine(const std::string& interpreter, const std::string& scriptPath) {
  // /C strips the outer pair of quotes and keeps the inner pair.
  return "\"" + interpreter + "\" /V:OFF /C \"\"" + scriptPath + "\"\"";
}

std::set<std::string> ProcessScriptRunner::RunningScripts() {
  std::erase_if(running_, [](const Running& script) {
    return WaitForSingleObject(script.process.Get(), 0) != WAIT_TIMEOUT;
  });
  std::set<std::string> paths;
  for (const Running& script : running_) paths.insert(script.path);
  return paths;
}

void ProcessScriptRunner::Start(const std::string& scriptPath) {
  const std::string interpreter = Interpreter();
  std::string commandLine = ScriptCommandLine(interpreter, scriptPath);
  const std::wstring folder = ToWide(FolderPart(scriptPath, SystemCodePage()));
  std::wstring environment =
      EnvironmentBlockWithPathFirst(CurrentEnvironment(), std::wstring_view(folder));
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOW;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(interpreter.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                      CREATE_NEW_CONSOLE | CREATE_UNICODE_ENVIRONMENT, environment.data(),
                      nullptr, &startup, &process)) {
    throw Error("Cannot start \"" + scriptPath + "\". " + SystemErrorText(GetLastError()));
  }
  CloseHandle(process.hThread);
  running_.push_back({scriptPath, KernelHandle(process.hProcess)});
}

}  // namespace kavri
