#include "deltree/deltree_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kavri::deltree {
namespace {

using Words = std::vector<std::wstring>;

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

TEST(DeltreeRules, PlansFromArguments) {
  using Kind = Plan::Kind;
  struct Case {
    const char* what;
    Words arguments;
    Plan plan;
  };
  const Case cases[] = {
      {"asks without /Y", {L"C:\\a"}, {Kind::Remove, true, {L"C:\\a"}, {}}},
      {"/Y removes without asking", {L"/Y", L"C:\\a"}, {Kind::Remove, false, {L"C:\\a"}, {}}},
      {"switch in any case, anywhere",
       {L"C:\\a", L"/y", L"D:\\b"},
       {Kind::Remove, false, {L"C:\\a", L"D:\\b"}, {}}},
      {"paths keep their order and repeats",
       {L"b", L"a", L"b"},
       {Kind::Remove, true, {L"b", L"a", L"b"}, {}}},
      {"wildcards are literal", {L"/Y", L"C:\\*.*"}, {Kind::Remove, false, {L"C:\\*.*"}, {}}},
      {"/? wins over everything", {L"/Y", L"C:\\a", L"/?", L"/Q"}, {Kind::ShowUsage, true, {}, {}}},
      {"no arguments", {}, {Kind::BadCommandLine, true, {}, {}}},
      {"only a switch", {L"/Y"}, {Kind::BadCommandLine, true, {}, {}}},
      {"unknown switch stops all",
       {L"/Y", L"C:\\a", L"/S", L"/Q"},
       {Kind::BadCommandLine, true, {}, L"Invalid switch - /S"}},
      {"/YES is no /Y",
       {L"/YES", L"C:\\a"},
       {Kind::BadCommandLine, true, {}, L"Invalid switch - /YES"}},
      {"a lone slash", {L"/", L"C:\\a"}, {Kind::BadCommandLine, true, {}, L"Invalid switch - /"}},
      {"an empty path stops all",
       {L"/Y", L"C:\\a", L""},
       {Kind::BadCommandLine, true, {}, L"An empty path names nothing"}},
      {"a dash is part of a path", {L"-y"}, {Kind::Remove, true, {L"-y"}, {}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Plan plan = PlanFromArguments(c.arguments);
    EXPECT_EQ(plan.kind, c.plan.kind);
    EXPECT_EQ(plan.askFirst, c.plan.askFirst);
    EXPECT_EQ(plan.paths, c.plan.paths);
    EXPECT_EQ(plan.error, c.plan.error);
  }
}

TEST(DeltreeRules, OnlyALoneYRemoves) {
  const struct {
    std::wstring answer;
    bool yes;
  } cases[] = {
      {L"y", true},      {L"Y", true},   {L"y\r\n", true}, {L"  Y \t\r", true},
      {L"", false},      {L"\r\n", false}, {L"n", false},   {L"N\r\n", false},
      {L"yes", false},   {L"yy", false}, {L"y n", false},  {L"j", false},
      {L"\u0443", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Narrow(c.answer));
    EXPECT_EQ(IsYes(c.answer), c.yes);
  }
}

TEST(DeltreeRules, AsksInTheFormOfTheItem) {
  EXPECT_EQ(KindOf(true, false), ItemKind::Folder);
  EXPECT_EQ(KindOf(false, false), ItemKind::File);
  EXPECT_EQ(KindOf(true, true), ItemKind::Link);
  EXPECT_EQ(KindOf(false, true), ItemKind::Link);
  EXPECT_EQ(PromptText(L"C:\\a b", ItemKind::Folder),
            L"Delete directory \"C:\\a b\" and all its subdirectories? [yn] ");
  EXPECT_EQ(PromptText(L"C:\\a.txt", ItemKind::File), L"Delete file \"C:\\a.txt\"? [yn] ");
  EXPECT_EQ(PromptText(L"C:\\j", ItemKind::Link),
            L"Delete link \"C:\\j\" (not what it points to)? [yn] ");
  EXPECT_EQ(FailureText(L"C:\\x", L"Access is denied"),
            L"deltree: cannot remove \"C:\\x\": Access is denied\r\n");
}

TEST(DeltreeRules, PathForms) {
  struct Case {
    std::wstring full;
    std::wstring trimmed;
    bool root;
    std::wstring extended;
  };
  const Case cases[] = {
      {L"C:\\a\\b", L"C:\\a\\b", false, L"\\\\?\\C:\\a\\b"},
      {L"C:\\a\\b\\", L"C:\\a\\b", false, L"\\\\?\\C:\\a\\b"},
      {L"C:\\a\\\\\\", L"C:\\a", false, L"\\\\?\\C:\\a"},
      {L"C:\\", L"C:\\", true, L"\\\\?\\C:\\"},
      {L"c:", L"c:", true, L"\\\\?\\c:"},
      {L"C:\\\\", L"C:\\\\", true, L"\\\\?\\C:\\\\"},
      {L"\\", L"\\", true, L"\\\\?\\\\"},
      {L"\\\\server\\share", L"\\\\server\\share", true, L"\\\\?\\UNC\\server\\share"},
      {L"\\\\server\\share\\", L"\\\\server\\share\\", true, L"\\\\?\\UNC\\server\\share\\"},
      {L"\\\\server\\share\\x\\", L"\\\\server\\share\\x", false, L"\\\\?\\UNC\\server\\share\\x"},
      {L"\\\\?\\C:\\", L"\\\\?\\C:\\", true, L"\\\\?\\C:\\"},
      {L"\\\\?\\C:\\deep\\", L"\\\\?\\C:\\deep", false, L"\\\\?\\C:\\deep"},
      {L"\\\\?\\UNC\\server\\share", L"\\\\?\\UNC\\server\\share", true,
       L"\\\\?\\UNC\\server\\share"},
      {L"\\\\?\\UNC\\server\\share\\x", L"\\\\?\\UNC\\server\\share\\x", false,
       L"\\\\?\\UNC\\server\\share\\x"},
      {L"\\\\?\\Volume{0}\\", L"\\\\?\\Volume{0}\\", true, L"\\\\?\\Volume{0}\\"},
      {L"\\\\?\\Volume{0}\\x", L"\\\\?\\Volume{0}\\x", false, L"\\\\?\\Volume{0}\\x"},
      {L"\\\\.\\NUL", L"\\\\.\\NUL", true, L"\\\\.\\NUL"},
      {L"C:\\\u65e5\u672c\\", L"C:\\\u65e5\u672c", false, L"\\\\?\\C:\\\u65e5\u672c"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.full));
    EXPECT_EQ(WithoutTrailingSeparators(c.full), c.trimmed);
    EXPECT_EQ(IsRoot(c.full), c.root);
    EXPECT_EQ(ExtendedPath(c.trimmed), c.extended);
  }
}

TEST(DeltreeRules, ShowsPathsWithoutTheExtendedPrefix) {
  const struct {
    std::wstring extended;
    std::wstring shown;
  } cases[] = {
      {L"\\\\?\\C:\\a\\b", L"C:\\a\\b"},
      {L"\\\\?\\UNC\\server\\share\\x", L"\\\\server\\share\\x"},
      {L"\\\\?\\Volume{0}\\x", L"\\\\?\\Volume{0}\\x"},
      {L"\\\\.\\NUL", L"\\\\.\\NUL"},
      {L"C:\\plain", L"C:\\plain"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Narrow(c.extended));
    EXPECT_EQ(ShownPath(c.extended), c.shown);
    if (c.extended.rfind(L"\\\\", 0) == 0) {
      EXPECT_EQ(ExtendedPath(c.shown), c.extended);
    }
  }
}

}  // namespace
}  // namespace kavri::deltree
