#pragma once

// The decisions of deltree.exe, the companion that kavri's scripts call to
// remove folder trees. Texts are UTF-16 as the command line hands them over
// (wchar_t is wider on the Linux host, where only these rules run).

#include <string>
#include <string_view>
#include <vector>

namespace kavri::deltree {

enum ExitCode : int {
  kExitDone = 0,            // everything named is gone, or was never there
  kExitFailed = 1,          // something named could not be removed
  kExitBadCommandLine = 2,  // nothing was touched
};

struct Plan {
  enum class Kind { Remove, ShowUsage, BadCommandLine };
  Kind kind = Kind::Remove;
  // False with /Y: remove without asking.
  bool askFirst = true;
  std::vector<std::wstring> paths;
  // For BadCommandLine: what was wrong, empty when there was nothing at all.
  std::wstring error;
};

// /Y (any case, anywhere) removes without asking, /? asks for the usage, any
// other argument that starts with "/" is an unknown switch. Everything else is
// a path, taken literally: there are no wildcards.
Plan PlanFromArguments(const std::vector<std::wstring>& arguments);

std::wstring UsageText();

enum class ItemKind { File, Folder, Link };

// A junction or symbolic link is a link whatever it points to: it is removed
// itself and never entered.
ItemKind KindOf(bool isDirectory, bool isReparsePoint);

// The question asked before each named item when /Y is missing.
std::wstring PromptText(std::wstring_view shownPath, ItemKind kind);

// Only a lone "y" or "Y" on the answer line removes; surrounding spaces and
// the line end do not count, anything else keeps the item.
bool IsYes(std::wstring_view answer);

std::wstring FailureText(std::wstring_view shownPath, std::wstring_view reason);

// Path forms. A full path is what the system makes of a named path
// ("C:\dir\x", "\\server\share\x", or one already in the "\\?\" form).

// Drops separators at the end, but never the one of a root ("C:\").
std::wstring WithoutTrailingSeparators(std::wstring_view fullPath);

// A drive, share or device root, which deltree refuses to remove.
bool IsRoot(std::wstring_view fullPath);

// The "\\?\" form, which takes the path literally and lifts the limit of 260
// characters; paths already in a "\\?\" or "\\.\" form are kept.
std::wstring ExtendedPath(std::wstring_view fullPath);

// The form to show the user: ExtendedPath undone.
std::wstring ShownPath(std::wstring_view extendedPath);

}  // namespace kavri::deltree
