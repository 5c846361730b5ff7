#include "platform/win32/launcher.h"

#include <windows.h>
#include <shellapi.h>

namespace kavri {

void Win32Launcher::Run(const std::string& commandLine) { WinExec(commandLine.c_str(), SW_SHOW); }

void Win32Launcher::Open(const std::string& path) {
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof(info);
  info.lpVerb = "open";
  info.lpFile = path.c_str();
  info.lpParameters = "";
  info.nShow = SW_SHOWDEFAULT;
  ShellExecuteExA(&info);
}

}  // namespace kavri
