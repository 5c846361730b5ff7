#include "platform/command_line_split.h"

#include <gtest/gtest.h>

namespace kavri {
namespace {

using Arguments = std::vector<std::u16string>;

// The cases the system documents, and the corners around them.
const struct {
  std::u16string line;
  Arguments arguments;
} kCases[] = {
    {u"kavri.exe", {}},
    {u"kavri.exe   ", {}},
    {u"kavri.exe a b", {u"a", u"b"}},
    {u"kavri.exe\ta\t\tb ", {u"a", u"b"}},
    {u"\"C:\\Program Files\\kavri.exe\" \"C:\\a b\\c.txt\" d",
     {u"C:\\a b\\c.txt", u"d"}},
    {u"\"C:\\Program Files\\kavri.exe\"x y", {u"x", u"y"}},
    {u"kavri.exe \"\"", {u""}},
    {u"kavri.exe \"\" x", {u"", u"x"}},
    {u"kavri.exe \"C:\\dir\\\\\"", {u"C:\\dir\\"}},
    {u"kavri.exe \"C:\\dir\\\" next", {u"C:\\dir\" next"}},
    {u"kavri.exe a\\\\b", {u"a\\\\b"}},
    {u"kavri.exe a\\\"b", {u"a\"b"}},
    {u"kavri.exe a\\\\\\\"b", {u"a\\\"b"}},
    {u"kavri.exe a\\\\\"b c\"", {u"a\\b c"}},
    {u"kavri.exe \"a\"\"b\"", {u"a\"b"}},
    {u"kavri.exe \"a\"\"\"b", {u"a\"b"}},
    {u"kavri.exe a\"b c\"d e", {u"ab cd", u"e"}},
    {u"kavri.exe \"unclosed quote", {u"unclosed quote"}},
    {u"kavri.exe -q \"D:\\\u8868\"", {u"-q", u"D:\\\u8868"}},
};

TEST(CommandLineSplit, SplitsAsTheSystemDoes) {
  for (const auto& c : kCases) {
    SCOPED_TRACE(std::string(c.line.begin(), c.line.end()));
    EXPECT_EQ(SplitCommandLine(c.line), c.arguments);
  }
}

}  // namespace
}  // namespace kavri
