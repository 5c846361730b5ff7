#include "transfer/script.h"

#include <algorithm>
#include <functional>

#include "platform/decimal_text.h"
#include "platform/error.h"
#include "platform/path_parts.h"

namespace kavri {
namespace {

// Builds one line at a time into a buffer it reuses, with every "%" of a
// path doubled, and hands each finished line on. One pass serves both the
// line list and the file text, so a script of 100,000 items costs no more
// than its bytes.
class LineBuilder {
 public:
  explicit LineBuilder(const std::function<void(std::string_view)>& sink) : sink_(sink) {}

  LineBuilder& Text(std::string_view text) {
    line_ += text;
    return *this;
  }
  LineBuilder& Path(std::string_view path) {
    for (std::size_t percent; (percent = path.find('%')) != std::string_view::npos;) {
      line_.append(path.substr(0, percent + 1)).push_back('%');
      path.remove_prefix(percent + 1);
    }
    line_ += path;
    return *this;
  }
  LineBuilder& Quoted(std::string_view path, std::string_view more = {}) {
    return Text("\"").Path(path).Path(more).Text("\"");
  }
  void End() {
    sink_(line_);
    line_.clear();
  }

 private:
  const std::function<void(std::string_view)>& sink_;
  std::string line_;
};

void CopyLine(LineBuilder& line, const std::string& item, std::string_view destination,
              bool folder, const CodePage& cp) {
  line.Text("XCOPY ").Quoted(item).Text(" ");
  if (folder) {
    line.Quoted(destination, FileName(item, cp)).Text(" /E /H /I /K").End();
  } else {
    line.Quoted(destination).Text(" /H /I /K").End();
  }
}

void RemoveLine(LineBuilder& line, const std::string& item, bool folder) {
  line.Text(folder ? "DELTREE /Y " : "DEL ").Quoted(item).End();
}

void EmitScript(TransferKind kind, const LineList& items, std::string_view destination,
                FileSystem& fs, const CodePage& cp,
                const std::function<void(std::string_view)>& sink) {
  LineBuilder line(sink);
  if (kind == TransferKind::Move) line.Text("@ECHO OFF").End();
  const std::vector<bool> folders = fs.AreFolders(items);
  for (std::size_t i = 0; i < items.size(); ++i) {
    switch (kind) {
      case TransferKind::Copy:
        CopyLine(line, items[i], destination, folders[i], cp);
        break;
      case TransferKind::Move:
        CopyLine(line, items[i], destination, folders[i], cp);
        line.Text("IF ERRORLEVEL 1 GOTO ERR1").End();
        RemoveLine(line, items[i], folders[i]);
        break;
      case TransferKind::Delete:
        RemoveLine(line, items[i], folders[i]);
        break;
    }
  }
  if (kind == TransferKind::Move) {
    for (const char* last : {"EXIT", ":ERR1", "PAUSE", "EXIT"}) line.Text(last).End();
  }
}

}  // namespace

LineList BuildScript(TransferKind kind, const LineList& items, std::string_view destination,
                     FileSystem& fs, const CodePage& cp) {
  LineList lines;
  lines.reserve(items.size() * (kind == TransferKind::Move ? 3 : 1) + 5);
  EmitScript(kind, items, destination, fs, cp,
             [&lines](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

std::string ScriptText(TransferKind kind, const LineList& items, std::string_view destination,
                       FileSystem& fs, const CodePage& cp) {
  std::size_t estimate = 64;
  for (const std::string& item : items) estimate += 2 * item.size() + destination.size() + 40;
  std::string text;
  text.reserve(estimate);
  EmitScript(kind, items, destination, fs, cp, [&text](std::string_view line) {
    text += line;
    text += "\r\n";
  });
  return text;
}

std::string EncodeScript(std::string text, const LineList& items, std::string_view destination,
                         OemConverter& oem) {
  // ASCII reads the same in every ANSI and OEM page; most scripts are
  // nothing else and need no conversion.
  if (std::all_of(text.begin(), text.end(),
                  [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
    return text;
  }
  if (std::optional<std::string> oemText = oem.FromAnsi(text)) return std::move(*oemText);
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
    path = folder + stem + DecimalText(number) + extension;
  }
  return path;
}

void WriteAndLaunchScript(TransferKind kind, const LineList& items, std::string_view destination,
                          std::string_view batPath, const ScriptPorts& ports) {
  const std::string text =
      EncodeScript(ScriptText(kind, items, destination, ports.fs, ports.cp), items, destination,
                   ports.oem);
  const std::string path = ChooseScriptPath(batPath, ports.runner.RunningScripts(), ports.cp);
  ports.fs.WriteFile(path, text);
  ports.runner.Start(path);
}

}  // namespace kavri
