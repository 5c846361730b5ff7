#include "platform/win32/launcher.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/win32/system_library.h"

namespace kavri {

void Win32Launcher::Run(const std::string& commandLine) { WinExec(commandLine.c_str(), SW_SHOW); }

void Win32Launcher::Open(const std::string& path) {
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof(info);
  info.lpVerb = "open";
  info.lpFile = path.c_str();
  info.lpParameters = "";
  info.nShow = SW_SHOWDEFAULT;
  // The shell's library is loaded for this alone, and only when it is used.
  if (const auto shellExecute =
          SystemFunction<decltype(&ShellExecuteExA)>("shell32.dll", "ShellExecuteExA")) {
    shellExecute(&info);
  }
}

}  // namespace kavri
