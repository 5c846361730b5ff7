#pragma once

#include <string>
#include <string_view>

#include "platform/code_page.h"
#include "platform/line_list.h"
#include "platform/ports/file_system.h"
#include "platform/ports/oem_converter.h"
#include "platform/ports/script_runner.h"

namespace kavri {

enum class TransferKind { Copy, Move, Delete };

// The script's lines for all items, in list order. Each item is classed as a
// folder or a file now; an item that does not exist is a file. The
// destination (Copy and Move) ends with a backslash. The command interpreter
// expands "%" even between double quotes, so every "%" of a path is written
// as "%%", lest "%x%" name another file.
LineList BuildScript(TransferKind kind, const LineList& items, std::string_view destination,
                     FileSystem& fs, const CodePage& cp);

// The same lines as one text, each followed by CR LF.
std::string ScriptText(TransferKind kind, const LineList& items, std::string_view destination,
                       FileSystem& fs, const CodePage& cp);

// The script text as the interpreter will read it: in the OEM page. Throws
// Error naming the first path (or the destination) that the OEM page cannot
// hold; then nothing may be written.
std::string EncodeScript(std::string text, const LineList& items, std::string_view destination,
                         OemConverter& oem);

// "tmp.bat" beside the program unless a script this window started is still
// running from it (the interpreter reads a script line by line from saved
// offsets, so rewriting it would run pieces of the new text); then the first
// of "tmp2.bat", "tmp3.bat", ... that no running script uses.
std::string ChooseScriptPath(std::string_view batPath, const std::set<std::string>& running,
                             const CodePage& cp);

struct ScriptPorts {
  FileSystem& fs;
  OemConverter& oem;
  ScriptRunner& runner;
  const CodePage& cp;
};

// Builds, writes and starts the script of a transfer. Throws Error, having
// started nothing, when it cannot be encoded or written.
void WriteAndLaunchScript(TransferKind kind, const LineList& items, std::string_view destination,
                          std::string_view batPath, const ScriptPorts& ports);

}  // namespace kavri
