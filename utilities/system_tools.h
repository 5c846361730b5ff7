#pragma once

#include <string>

namespace kavri {

// The system's disk checker and defragmenter, found through the command
// search path, and the read-me file beside the program in the text editor.
inline constexpr char kScandiskCommand[] = "SCANDSKW.EXE";
inline constexpr char kDefragCommand[] = "DEFRAG.EXE";
inline constexpr char kReadmeFileName[] = "readme.txt";

std::string ReadmeCommand(const std::string& exeDir);

}  // namespace kavri
