#include "mainwindow/module_globals.h"

#include "platform/path_parts.h"

namespace kavri {

std::string ExeDir;
std::string DesktopDir;
std::string BatPath;
std::string IniPath;
LineList IniList;

ProgramPaths ProgramPathsFor(std::string_view exePath, const CodePage& cp) {
  ProgramPaths paths;
  paths.exeDir = std::string(FolderPart(exePath, cp));
  paths.batPath = paths.exeDir + kScriptFileName;
  paths.iniPath = paths.exeDir + kSettingsFileName;
  return paths;
}

std::string DesktopDirFrom(const std::optional<std::string>& desktopValue) {
  return desktopValue.value_or(std::string()) + "\\";
}

}  // namespace kavri
