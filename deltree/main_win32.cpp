// deltree.exe: removes files and whole folder trees for kavri's scripts,
// which carry lines like DELTREE /Y "C:\some\folder".

#include <windows.h>

#include <string>

#include "deltree/console_win32.h"
#include "deltree/deltree_rules.h"
#include "platform/command_line_split.h"
#include "deltree/remove_tree_win32.h"

namespace kavri::deltree {
namespace {

bool FullPathOf(const std::wstring& named, std::wstring& full) {
  full.assign(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetFullPathNameW(named.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0) return false;
    if (length < full.size()) {
      full.resize(length);
      return true;
    }
    full.resize(length);
  }
}

// True when the named path is gone afterwards, or the user chose to keep it.
bool RemoveNamed(const std::wstring& named, bool askFirst) {
  std::wstring full;
  if (!FullPathOf(named, full)) {
    WriteError(FailureText(named, ErrorText(GetLastError())));
    return false;
  }
  full = WithoutTrailingSeparators(full);
  if (IsRoot(full)) {
    WriteError(FailureText(full, L"it is the root of a drive, share or device"));
    return false;
  }
  const std::wstring path = ExtendedPath(full);
  const std::wstring shown = ShownPath(path);
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    // What is not there is already gone: a script that removes a source
    // after copying it goes on, as it would have had the removal worked.
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return true;
    WriteError(FailureText(shown, ErrorText(error)));
    return false;
  }
  if (askFirst) {
    WriteOut(PromptText(shown, KindOf((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                                      (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)));
    if (!IsYes(ReadAnswerLine())) return true;
  }
  const std::vector<Failure> failures = RemoveItem(path, attributes);
  for (const Failure& failure : failures) {
    WriteError(FailureText(ShownPath(failure.path), ErrorText(failure.error)));
  }
  return failures.empty();
}

int Run() {
  const Plan plan = PlanFromArguments(kavri::SplitCommandLine(GetCommandLineW()));
  switch (plan.kind) {
    case Plan::Kind::ShowUsage:
      WriteOut(UsageText());
      return kExitDone;
    case Plan::Kind::BadCommandLine:
      if (!plan.error.empty()) WriteError(L"deltree: " + plan.error + L"\r\n\r\n");
      WriteError(UsageText());
      return kExitBadCommandLine;
    case Plan::Kind::Remove:
      break;
  }
  bool allGone = true;
  for (const std::wstring& named : plan.paths) {
    if (!RemoveNamed(named, plan.askFirst)) allGone = false;
  }
  return allGone ? kExitDone : kExitFailed;
}

}  // namespace
}  // namespace kavri::deltree

// The command line is read whole with GetCommandLineW: the C runtime's
// argument rules would turn "C:\dir\" into C:\dir".
int wmain() { return kavri::deltree::Run(); }
