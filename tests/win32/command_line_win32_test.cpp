#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include "platform/command_line_split.h"

namespace kavri {
namespace {

// kavri splits its command line itself; the system's own splitter is the
// judge of every line.
TEST(CommandLineWin32, SplitsLikeCommandLineToArgvW) {
  const wchar_t* lines[] = {
      L"kavri.exe",
      L"kavri.exe a b",
      L"\"C:\\Program Files\\kavri\\kavri.exe\" \"C:\\a b\\c.txt\" -q d",
      L"\"C:\\k.exe\"x y",
      L"k.exe \"\" \"\" x",
      L"k.exe \"C:\\dir\\\\\" \"C:\\dir\\\" next",
      L"k.exe a\\\\b a\\\"b a\\\\\\\"b a\\\\\"b c\"",
      L"k.exe \"a\"\"b\" \"a\"\"\"b \"\"\"\"\"\"",
      L"k.exe\ta\t \"unclosed",
      L"k.exe D:\\\u8868 r\u00e9sum\u00e9",
  };
  for (const wchar_t* line : lines) {
    SCOPED_TRACE(::testing::PrintToString(std::wstring(line)));
    int count = 0;
    wchar_t** argv = CommandLineToArgvW(line, &count);
    ASSERT_NE(argv, nullptr);
    std::vector<std::u16string> expected;
    for (int i = 1; i < count; ++i) {
      expected.emplace_back(reinterpret_cast<const char16_t*>(argv[i]));
    }
    LocalFree(argv);
    const std::wstring_view view(line);
    EXPECT_EQ(SplitCommandLine(
                  std::u16string_view(reinterpret_cast<const char16_t*>(view.data()), view.size())),
              expected);
  }
}

}  // namespace
}  // namespace kavri
