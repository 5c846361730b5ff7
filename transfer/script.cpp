#include "transfer/script.h"

#include "platform/error.h"
#include "platform/path_parts.h"

namespace kavri {
namespace {

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string CopyLine(const std::string& item, std::string_view destination, bool folder,
                     const CodePage& cp) {
  if (folder) {
    return "XCOPY " + Quoted(item) + " " +
           Quoted(std::string(destination) + std::string(FileName(item, cp))) + " /E /H /I /K";
  }
  return "XCOPY " + Quoted(item) + " " + Quoted(destination) + " /H /I /K";
}

std::string RemoveLine(const std::string& item, bool folder) {
  return (folder ? "DELTREE /Y " : "DEL ") + Quoted(item);
}

}  // namespace

LineList BuildScript(TransferKind kind, const LineList& items, std::string_view destination,
                     FileSystem& fs, const CodePage& cp) {
  LineList lines;
  lines.reserve(items.size() * (kind == TransferKind::Move ? 3 : 1) + 5);
  if (kind == TransferKind::Move) lines.emplace_back("@ECHO OFF");
  for (const std::string& item : items) {
    const bool folder = fs.IsFolder(item);
    switch (kind) {
      case TransferKind::Copy:
        lines.push_back(EscapePercent(CopyLine(item, destination, folder, cp)));
        break;
      case TransferKind::Move:
        lines.push_back(EscapePercent(CopyLine(item, destination, folder, cp)));
        lines.emplace_back("IF ERRORLEVEL 1 GOTO ERR1");
        lines.push_back(EscapePercent(RemoveLine(item, folder)));
        break;
      case TransferKind::Delete:
        lines.push_back(EscapePercent(RemoveLine(item, folder)));
        break;
    }
  }
  if (kind == TransferKind::Move) {
    for (const char* line : {"EXIT", ":ERR1", "PAUSE", "EXIT"}) lines.emplace_back(line);
  }
  return lines;
}

std::string EscapePercent(std::string_view line) {
  std::string escaped;
  escaped.reserve(line.size());
  for (char c : line) {
    escaped += c;
    if (c == '%') escaped += '%';
  }
  return escaped;
}

std::string EncodeScript(const LineList& lines, const LineList& items,
                         std::string_view destination, OemConverter& oem) {
  std::optional<std::string> text = oem.FromAnsi(JoinLines(lines));
  if (text) return *text;
  // Only now look for the culprit, so the common case converts once.
  auto unreadable = [](std::string_view path) {
    return Error("The command interpreter cannot read a character of \"" + std::string(path) +
                 "\". Nothing was started.");
  };
  for (const std::string& item : items) {
    if (!oem.FromAnsi(item)) throw unreadable(item);
  }
  if (!oem.FromAnsi(destination)) throw unreadable(destination);
  throw Error("The script cannot be written in the command interpreter's code page.");
}

std::string ChooseScriptPath(std::string_view batPath, const std::set<std::string>& running,
                             const CodePage& cp) {
  const std::string folder(FolderPart(batPath, cp));
  const std::string stem(NameWithoutExtension(batPath, cp));
  const std::string extension(Extension(batPath, cp));
  std::string path(batPath);
  for (int number = 2; running.count(path) != 0; ++number) {
    path = folder + stem + std::to_string(number) + extension;
  }
  return path;
}

void WriteAndLaunchScript(TransferKind kind, const LineList& items, std::string_view destination,
                          std::string_view batPath, const ScriptPorts& ports) {
  const LineList lines = BuildScript(kind, items, destination, ports.fs, ports.cp);
  const std::string text = EncodeScript(lines, items, destination, ports.oem);
  const std::string path = ChooseScriptPath(batPath, ports.runner.RunningScripts(), ports.cp);
  ports.fs.WriteFile(path, text);
  ports.runner.Start(path);
}

}  // namespace kavri
