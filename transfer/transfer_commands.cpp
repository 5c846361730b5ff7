#include "transfer/transfer_commands.h"

#include "mainwindow/settings.h"
#include "platform/path_parts.h"

namespace kavri {
namespace {

// Destinations of up to three bytes (C:\, D:) are never questioned.
constexpr std::size_t kLongestUnquestioned = 3;

std::optional<std::string> TargetOfShortcutIn(const std::string& folder, const std::string& name,
                                              TransferContext& context) {
  const std::string candidate = folder + name + ".lnk";
  if (!context.script.fs.IsFile(candidate)) return std::nullopt;
  return context.shortcuts.ReadTarget(candidate);
}

}  // namespace

std::string ResolveDestination(const std::string& name, TransferContext& context) {
  for (const std::string* folder : {&context.exeDir, &context.desktopDir}) {
    if (auto target = TargetOfShortcutIn(*folder, name, context)) return *target;
  }
  return std::string(FolderPart(context.list.Line(0), context.script.cp)) + name;
}

void RunTransfer(TransferKind kind, TransferContext& context) {
  const std::string typed = context.box.Text();
  if (typed.empty() || context.list.Count() == 0) return;
  const CodePage& cp = context.script.cp;
  std::string destination = typed;
  // A bare name has neither a backslash nor a colon: "D:" names a drive, and
  // looking it up as a name would give a path with a colon inside it.
  if (LastDelimiter(destination, cp) == kNoDelimiter) {
    destination = ResolveDestination(destination, context);
  }
  if (destination.size() > kLongestUnquestioned && !context.script.fs.IsFolder(destination) &&
      context.dialogs.Show("New folder?", "kavri", kMbYesNo) != kIdYes) {
    return;
  }
  if (!EndsWithBackslash(destination, cp)) destination += '\\';
  WriteAndLaunchScript(kind, context.list.Lines(), destination, context.batPath, context.script);
  context.list.Clear();
  AddHistoryLine(context.box, typed);
}

void DeleteAll(TransferContext& context) {
  if (context.dialogs.Show("Really?", "Delete", kMbYesNo) != kIdYes) return;
  WriteAndLaunchScript(TransferKind::Delete, context.list.Lines(), "", context.batPath,
                       context.script);
  context.list.Clear();
}

}  // namespace kavri
