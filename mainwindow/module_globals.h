#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/code_page.h"
#include "platform/line_list.h"

namespace kavri {

// Set during the window's construction and kept until the process ends.
extern std::string ExeDir;      // the program's folder, ending with a backslash
extern std::string DesktopDir;  // the user's desktop folder and a backslash
extern std::string BatPath;     // ExeDir + "tmp.bat"
extern std::string IniPath;     // ExeDir + "kavri.ini"
extern LineList IniList;        // the settings file's lines

struct ProgramPaths {
  std::string exeDir;
  std::string batPath;
  std::string iniPath;
  bool operator==(const ProgramPaths&) const = default;
};

// ExeDir and the files beside the program, from its full path.
ProgramPaths ProgramPathsFor(std::string_view exePath, const CodePage& cp);

// The desktop folder value from the registry, or none when it cannot be
// read, which leaves a lone backslash.
std::string DesktopDirFrom(const std::optional<std::string>& desktopValue);

inline constexpr char kScriptFileName[] = "tmp.bat";
inline constexpr char kSettingsFileName[] = "kavri.ini";
inline constexpr char kShellFoldersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

}  // namespace kavri
