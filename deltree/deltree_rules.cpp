#include "deltree/deltree_rules.h"

namespace kavri::deltree {

namespace {

bool StartsWith(std::wstring_view text, std::wstring_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool IsLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

// "X:" followed by nothing but separators.
bool IsDriveRoot(std::wstring_view path) {
  if (path.size() < 2 || !IsLetter(path[0]) || path[1] != L':') return false;
  return path.find_first_not_of(L'\\', 2) == std::wstring_view::npos;
}

std::size_t CountParts(std::wstring_view path) {
  std::size_t parts = 0;
  bool inPart = false;
  for (wchar_t c : path) {
    if (c == L'\\') {
      inPart = false;
    } else if (!inPart) {
      inPart = true;
      ++parts;
    }
  }
  return parts;
}

constexpr std::wstring_view kExtendedUnc = L"\\\\?\\UNC\\";
constexpr std::wstring_view kExtended = L"\\\\?\\";
constexpr std::wstring_view kDevice = L"\\\\.\\";

}  // namespace

Plan PlanFromArguments(const std::vector<std::wstring>& arguments) {
  Plan plan;
  bool usage = false;
  bool emptyPath = false;
  std::wstring unknownSwitch;
  for (const std::wstring& argument : arguments) {
    if (argument == L"/Y" || argument == L"/y") {
      plan.askFirst = false;
    } else if (argument == L"/?") {
      usage = true;
    } else if (StartsWith(argument, L"/")) {
      if (unknownSwitch.empty()) unknownSwitch = argument;
    } else if (argument.empty()) {
      emptyPath = true;
    } else {
      plan.paths.push_back(argument);
    }
  }
  if (usage) return Plan{Plan::Kind::ShowUsage, true, {}, {}};
  if (!unknownSwitch.empty()) {
    return Plan{Plan::Kind::BadCommandLine, true, {}, L"Invalid switch - " + unknownSwitch};
  }
  // An empty argument is most likely a script variable that came out empty;
  // guessing what it meant could remove the wrong folder.
  if (emptyPath) return Plan{Plan::Kind::BadCommandLine, true, {}, L"An empty path names nothing"};
  if (plan.paths.empty()) return Plan{Plan::Kind::BadCommandLine, true, {}, {}};
  return plan;
}

std::wstring UsageText() {
  return L"Removes files and whole folder trees with everything in them.\r\n"
         L"\r\n"
         L"DELTREE [/Y] path [path ...]\r\n"
         L"\r\n"
         L"  /Y    Remove without asking first.\r\n"
         L"  path  A file or folder, taken literally (no wildcards). A folder goes with\r\n"
         L"        all its files and subfolders, hidden, system and read-only ones too.\r\n"
         L"        A junction or symbolic link is removed itself, never what it points\r\n"
         L"        to. A path that does not exist is skipped: it is already gone.\r\n"
         L"\r\n"
         L"Exit code: 0 when everything named is gone, 1 when something could not be\r\n"
         L"removed, 2 when the command line was wrong.\r\n";
}

ItemKind KindOf(bool isDirectory, bool isReparsePoint) {
  if (isReparsePoint) return ItemKind::Link;
  return isDirectory ? ItemKind::Folder : ItemKind::File;
}

std::wstring PromptText(std::wstring_view shownPath, ItemKind kind) {
  const std::wstring quoted = L"\"" + std::wstring(shownPath) + L"\"";
  switch (kind) {
    case ItemKind::Folder:
      return L"Delete directory " + quoted + L" and all its subdirectories? [yn] ";
    case ItemKind::Link:
      return L"Delete link " + quoted + L" (not what it points to)? [yn] ";
    case ItemKind::File:
      break;
  }
  return L"Delete file " + quoted + L"? [yn] ";
}

bool IsYes(std::wstring_view answer) {
  constexpr std::wstring_view kSpace = L" \t\r\n";
  const std::size_t first = answer.find_first_not_of(kSpace);
  if (first == std::wstring_view::npos) return false;
  const std::size_t last = answer.find_last_not_of(kSpace);
  const std::wstring_view word = answer.substr(first, last - first + 1);
  return word == L"y" || word == L"Y";
}

std::wstring FailureText(std::wstring_view shownPath, std::wstring_view reason) {
  return L"deltree: cannot remove \"" + std::wstring(shownPath) + L"\": " + std::wstring(reason) +
         L"\r\n";
}

std::wstring WithoutTrailingSeparators(std::wstring_view fullPath) {
  std::wstring path(fullPath);
  while (!path.empty() && path.back() == L'\\' && !IsRoot(path)) path.pop_back();
  return path;
}

bool IsRoot(std::wstring_view fullPath) {
  if (StartsWith(fullPath, kExtendedUnc)) {
    return CountParts(fullPath.substr(kExtendedUnc.size())) <= 2;
  }
  if (StartsWith(fullPath, kExtended) || StartsWith(fullPath, kDevice)) {
    const std::wstring_view rest = fullPath.substr(kExtended.size());
    // Other device forms ("\\?\Volume{...}\") have the volume as first part.
    return IsDriveRoot(rest) || CountParts(rest) <= 1;
  }
  if (StartsWith(fullPath, L"\\\\")) return CountParts(fullPath) <= 2;
  return IsDriveRoot(fullPath) || CountParts(fullPath) == 0;
}

std::wstring ExtendedPath(std::wstring_view fullPath) {
  if (StartsWith(fullPath, kExtended) || StartsWith(fullPath, kDevice)) {
    return std::wstring(fullPath);
  }
  if (StartsWith(fullPath, L"\\\\")) {
    return std::wstring(kExtendedUnc) + std::wstring(fullPath.substr(2));
  }
  return std::wstring(kExtended) + std::wstring(fullPath);
}

std::wstring ShownPath(std::wstring_view extendedPath) {
  if (StartsWith(extendedPath, kExtendedUnc)) {
    return L"\\\\" + std::wstring(extendedPath.substr(kExtendedUnc.size()));
  }
  if (StartsWith(extendedPath, kExtended)) {
    const std::wstring_view rest = extendedPath.substr(kExtended.size());
    if (rest.size() >= 2 && IsLetter(rest[0]) && rest[1] == L':') return std::wstring(rest);
  }
  return std::wstring(extendedPath);
}

}  // namespace kavri::deltree
