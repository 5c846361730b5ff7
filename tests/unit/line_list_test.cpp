#include "platform/line_list.h"

#include <gtest/gtest.h>

namespace kavri {
namespace {

TEST(LineList, SplitsAtEveryKindOfLineEnd) {
  struct Case {
    std::string text;
    LineList lines;
  };
  const Case cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\n", {"a"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\rb", {"a", "b"}},
      {"a\nb\n", {"a", "b"}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"a\r\r\nb", {"a", "", "b"}},
      {"a\n\rb", {"a", "", "b"}},
      {"\r\n", {""}},
      {"\n\n", {"", ""}},
      {std::string("a\r\nb\0c\r\nd", 9), {"a", "b"}},
      {std::string("\0a", 2), {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.text));
    EXPECT_EQ(SplitLines(c.text), c.lines);
  }
}

TEST(LineList, JoinEndsEveryLineWithCrLf) {
  EXPECT_EQ(JoinLines({}), "");
  EXPECT_EQ(JoinLines({""}), "\r\n");
  EXPECT_EQ(JoinLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
}

TEST(LineList, RoundTrip) {
  const LineList lines = {"D:\\A", "", "E:\\X", "232", "-5", "true"};
  EXPECT_EQ(SplitLines(JoinLines(lines)), lines);
}

}  // namespace
}  // namespace kavri
