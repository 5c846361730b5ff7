#pragma once

#include <algorithm>
#include <string>

namespace kavri::testing {

// deltree.exe as the build made it; the build passes its host path.
inline std::wstring DeltreeExe() {
  std::wstring path = L"" KAVRI_DELTREE_EXE;
  // Wine maps the host's root to Z:.
  if (!path.empty() && path.front() == L'/') path = L"Z:" + path;
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return path;
}

}  // namespace kavri::testing
