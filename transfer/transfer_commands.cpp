#include "transfer/transfer_commands.h"

#include "mainwindow/list_commands.h"
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
  // The batch is what is listed now: a second start can add items while the
  // user answers a question, and those were never part of it.
  const LineList items = context.list.Lines();
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
  WriteAndLaunchScript(kind, items, destination, context.batPath, context.script);
  RemoveFirstLines(context.list, items.size());
  AddHistoryLine(context.box, typed);
}

void DeleteAll(TransferContext& context) {
  const LineList items = context.list.Lines();
  if (context.dialogs.Show("Really?", "Delete", kMbYesNo) != kIdYes) return;
  WriteAndLaunchScript(TransferKind::Delete, items, "", context.batPath, context.script);
  RemoveFirstLines(context.list, items.size());
}

}  // namespace kavri
