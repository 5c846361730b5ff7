#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "e2e/driver_win32.h"

// Usage: kavri_e2e --kavri=PATH_TO_KAVRI_EXE [GoogleTest flags]
int wmain(int argc, wchar_t** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i) {
    const std::wstring argument = argv[i];
    if (argument.rfind(L"--kavri=", 0) == 0) kavri::e2e::SetBuildPaths(argument.substr(8));
  }
  if (kavri::e2e::BuiltKavriExe().empty()) {
    std::fputws(L"kavri_e2e: --kavri=PATH is required\n", stderr);
    return 2;
  }
  return RUN_ALL_TESTS();
}
