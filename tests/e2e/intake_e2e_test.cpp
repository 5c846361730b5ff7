#include <objbase.h>

#include <gtest/gtest.h>

#include "e2e/driver_win32.h"

namespace kavri::e2e {
namespace {

using Lines = std::vector<std::wstring>;

class IntakeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    exe_ = box_.InstallKavri();
    box_.MakeDir(L"Target");
    box_.WriteFile(L"file.txt", "x");
  }
  void TearDown() override { CoUninitialize(); }

  // A second start that hands `argument` to the running window.
  void HandOver(const std::wstring& argument) {
    DWORD exitCode = 99;
    ASSERT_TRUE(RunToEnd(exe_, Quoted(argument), 15s, &exitCode));
    EXPECT_EQ(exitCode, 0u);
  }

  Sandbox box_;
  std::wstring exe_;
};

TEST_F(IntakeTest, ArgumentsAreListedAndTheFirstIsTheDestination) {
  Kavri kavri(exe_, Quoted(box_.Path(L"Target")) + L" " + Quoted(box_.Path(L"file.txt")));
  ASSERT_NE(kavri.Window(), nullptr);
  EXPECT_EQ(kavri.ListLines(), (Lines{box_.Path(L"Target"), box_.Path(L"file.txt")}));
  EXPECT_EQ(kavri.Destination(), box_.Path(L"Target"));
}

TEST_F(IntakeTest, SecondStartWithAFolderSetsTheDestination) {
  Kavri kavri(exe_, L"C:\\listed.txt");
  ASSERT_NE(kavri.Window(), nullptr);
  HandOver(box_.Path(L"Target"));
  EXPECT_TRUE(WaitUntil([&] { return kavri.Destination() == box_.Path(L"Target"); }));
  EXPECT_EQ(kavri.ListLines(), Lines{L"C:\\listed.txt"});
}

// The file manager's "%1" of a drive or folder can end in a backslash inside
// its quotes ("D:\"); it stays a backslash and does not swallow the quote.
TEST_F(IntakeTest, QuotedFolderEndingInABackslashIsTheFolder) {
  Kavri kavri(exe_);
  ASSERT_NE(kavri.Window(), nullptr);
  HandOver(box_.Path(L"Target\\"));
  EXPECT_TRUE(WaitUntil([&] { return kavri.Destination() == box_.Path(L"Target\\"); }));
  EXPECT_TRUE(kavri.ListLines().empty());
}

TEST_F(IntakeTest, SecondStartWithAFileAppendsIt) {
  Kavri kavri(exe_, L"C:\\listed.txt");
  ASSERT_NE(kavri.Window(), nullptr);
  HandOver(box_.Path(L"file.txt"));
  EXPECT_TRUE(WaitUntil([&] { return kavri.ListLines().size() == 2; }));
  EXPECT_EQ(kavri.ListLines(), (Lines{L"C:\\listed.txt", box_.Path(L"file.txt")}));
  EXPECT_EQ(kavri.Destination(), L"C:\\listed.txt");
}

TEST_F(IntakeTest, ShortcutsHandedOverAreFollowed) {
  ASSERT_TRUE(MakeShortcut(box_.Path(L"to folder.lnk"), box_.Path(L"Target")));
  ASSERT_TRUE(MakeShortcut(box_.Path(L"to file.lnk"), box_.Path(L"file.txt")));
  box_.WriteFile(L"broken.lnk", "not a shortcut");
  Kavri kavri(exe_);
  ASSERT_NE(kavri.Window(), nullptr);
  HandOver(box_.Path(L"to folder.lnk"));
  EXPECT_TRUE(WaitUntil([&] { return kavri.Destination() == box_.Path(L"Target"); }));
  HandOver(box_.Path(L"to file.lnk"));
  HandOver(box_.Path(L"broken.lnk"));
  EXPECT_TRUE(WaitUntil([&] { return kavri.ListLines().size() == 2; }));
  EXPECT_EQ(kavri.ListLines(), (Lines{box_.Path(L"file.txt"), box_.Path(L"broken.lnk")}));
}

// Under the 1252 page "Роман" has no exact form. Wine makes ASCII short names
// for such files ("____~S5U.TXT"), so an existing one arrives by that name; a
// path with no short name is refused with a message.
TEST_F(IntakeTest, NamesOutsideTheCodePageArriveByShortNameOrAreRefused) {
  if (GetACP() != 1252) GTEST_SKIP() << "needs a code page without Cyrillic";
  const std::wstring roman = box_.Path(L"\u0420\u043e\u043c\u0430\u043d.txt");
  box_.WriteFile(L"\u0420\u043e\u043c\u0430\u043d.txt", "r");
  Kavri kavri(exe_);
  ASSERT_NE(kavri.Window(), nullptr);
  HandOver(roman);
  ASSERT_TRUE(WaitUntil([&] { return kavri.ListLines().size() == 1; }));
  const std::wstring listed = kavri.ListLines().front();
  EXPECT_EQ(listed.find(L'?'), std::wstring::npos) << ToUtf8(listed);
  wchar_t longName[MAX_PATH] = {};
  GetLongPathNameW(listed.c_str(), longName, MAX_PATH);
  EXPECT_EQ(std::wstring(longName), roman);

  const std::wstring missing = box_.Path(L"\u0420\u043e\u043c\u0430\u043d-2.txt");
  Kavri second(exe_, Quoted(missing));
  const MessageBoxSeen refusal = second.WaitForMessageBox();
  ASSERT_NE(refusal.window, nullptr);
  EXPECT_EQ(refusal.caption, L"kavri");
  EXPECT_NE(refusal.text.find(missing), std::wstring::npos) << ToUtf8(refusal.text);
  Kavri::Answer(refusal, IDOK);
  EXPECT_TRUE(second.WaitForExit());
  kavri.Settle();
  EXPECT_EQ(kavri.ListLines().size(), 1u);
}

TEST_F(IntakeTest, AccentedNamesOfTheCodePageArriveAsTheyAre) {
  if (GetACP() != 1252) GTEST_SKIP() << "needs the 1252 page";
  box_.WriteFile(L"r\u00e9sum\u00e9.txt", "r");
  Kavri kavri(exe_, Quoted(box_.Path(L"r\u00e9sum\u00e9.txt")));
  ASSERT_NE(kavri.Window(), nullptr);
  EXPECT_EQ(kavri.ListLines(), Lines{box_.Path(L"r\u00e9sum\u00e9.txt")});
}

}  // namespace
}  // namespace kavri::e2e
