#include "platform/command_line_split.h"

#include <gtest/gtest.h>

namespace kavri {
namespace {

using Arguments = std::vector<std::wstring>;

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

TEST(CommandLineSplit, Table) {
  struct Case {
    std::wstring commandLine;
    Arguments arguments;
  };
  const Case cases[] = {
      {L"DELTREE /Y \"C:\\some\\folder\"", {L"/Y", L"C:\\some\\folder"}},
      {L"\"C:\\Program Files\\kavri\\deltree.exe\" /Y C:\\a", {L"/Y", L"C:\\a"}},
      {L"deltree", {}},
      {L"deltree   ", {}},
      {L"  deltree \t /y\t a  b ", {L"/y", L"a", L"b"}},
      // A backslash before a quote escapes nothing: the folder keeps its
      // trailing backslash and the next argument stays apart.
      {L"deltree /Y \"C:\\dir\\\" \"D:\\x\"", {L"/Y", L"C:\\dir\\", L"D:\\x"}},
      {L"deltree \"C:\\a b\\c d\"", {L"C:\\a b\\c d"}},
      {L"deltree C:\\\"a b\"\\c", {L"C:\\a b\\c"}},
      {L"deltree \"\" x", {L"", L"x"}},
      {L"deltree \"C:\\open quote", {L"C:\\open quote"}},
      {L"deltree \"a & b (1) ^%!\"", {L"a & b (1) ^%!"}},
      {L"\"C:\\odd path\\deltree.exe\"suffix /Y z", {L"/Y", L"z"}},
      {L"deltree \\\\server\\share\\x \\\\?\\C:\\long",
       {L"\\\\server\\share\\x", L"\\\\?\\C:\\long"}},
      {L"deltree C:\\\u00e9t\u00e9\\\u65e5\u672c", {L"C:\\\u00e9t\u00e9\\\u65e5\u672c"}},
      {L"kavri.exe", {}},
      {L"\"C:\\Program Files\\kavri\\kavri.exe\" \"C:\\a b\\c.txt\" -q d",
       {L"C:\\a b\\c.txt", L"-q", L"d"}},
      // The file manager's "%1" for a drive.
      {L"\"C:\\Tools\\kavri.exe\" \"D:\\\"", {L"D:\\"}},
      {L"kavri.exe \"\" \"\"", {L"", L""}},
      {L"kavri.exe a\"\"b", {L"ab"}},
      {L"kavri.exe -q \"D:\\\u8868\"", {L"-q", L"D:\\\u8868"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.commandLine));
    EXPECT_EQ(SplitCommandLine(c.commandLine), c.arguments);
  }
}

}  // namespace
}  // namespace kavri
