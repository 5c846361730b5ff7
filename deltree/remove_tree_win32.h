#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kavri::deltree {

struct Failure {
  std::wstring path;  // in the "\\?\" form
  DWORD error;
};

// Removes the file, link or whole folder tree at `extendedPath`, which has
// `attributes`. Read-only items are made writable first; a junction or
// symbolic link is removed itself and never entered. Goes on past what cannot
// be removed, so as much as possible goes, and returns each failure.
std::vector<Failure> RemoveItem(const std::wstring& extendedPath, DWORD attributes);

}  // namespace kavri::deltree
