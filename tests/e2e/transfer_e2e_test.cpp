#include <objbase.h>

#include <gtest/gtest.h>

#include "e2e/driver_win32.h"

namespace kavri::e2e {
namespace {

using Lines = std::vector<std::wstring>;

class TransferTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    exe_ = box_.InstallKavri();
    box_.MakeDir(L"data");
    box_.MakeDir(L"data\\Album");
    box_.MakeDir(L"data\\Album\\2024");
    box_.WriteFile(L"data\\Album\\2024\\beach.jpg", "jpg");
    for (const wchar_t* name : {L"data\\one.txt", L"data\\two.txt", L"data\\three.txt"}) {
      box_.WriteFile(name, "text");
    }
  }
  void TearDown() override { CoUninitialize(); }

  std::wstring Args(std::initializer_list<const wchar_t*> relative) {
    std::wstring args;
    for (const wchar_t* path : relative) args += Quoted(box_.Path(path)) + L" ";
    return args;
  }
  // Scripts run in consoles of their own; their effects show up in time.
  bool WaitForFiles(const std::vector<std::wstring>& present,
                    const std::vector<std::wstring>& absent = {}) {
    return WaitUntil(
        [&] {
          for (const std::wstring& path : present) {
            if (!box_.Exists(path)) return false;
          }
          for (const std::wstring& path : absent) {
            if (box_.Exists(path)) return false;
          }
          return true;
        },
        30s);
  }

  Sandbox box_;
  std::wstring exe_;
};

TEST_F(TransferTest, TypicalRoadCopiesThroughAShortcutNamedInTheBox) {
  box_.MakeDir(L"Backup");
  ASSERT_TRUE(MakeShortcut(box_.Path(L"prog\\Backup.lnk"), box_.Path(L"Backup")));
  // Started with a first argument that is no folder, so the box is set anew.
  Kavri kavri(exe_, Args({L"data\\one.txt", L"data\\two.txt", L"data\\three.txt"}));
  ASSERT_NE(kavri.Window(), nullptr);
  kavri.SetDestination(L"Backup");
  kavri.Type({{VK_RETURN}});
  EXPECT_TRUE(WaitForFiles({L"Backup\\one.txt", L"Backup\\two.txt", L"Backup\\three.txt"}));
  EXPECT_TRUE(kavri.ListLines().empty());
  EXPECT_EQ(kavri.History(), Lines{L"Backup"});
  EXPECT_TRUE(box_.IsFile(L"data\\one.txt"));
  EXPECT_EQ(box_.ReadFile(L"prog\\tmp.bat"),
            "XCOPY \"" + ToUtf8(box_.Path(L"data\\one.txt")) + "\" \"" +
                ToUtf8(box_.Path(L"Backup\\")) + "\" /H /I /K\r\n"
            "XCOPY \"" + ToUtf8(box_.Path(L"data\\two.txt")) + "\" \"" +
                ToUtf8(box_.Path(L"Backup\\")) + "\" /H /I /K\r\n"
            "XCOPY \"" + ToUtf8(box_.Path(L"data\\three.txt")) + "\" \"" +
                ToUtf8(box_.Path(L"Backup\\")) + "\" /H /I /K\r\n");
}

TEST_F(TransferTest, ShiftEnterMovesAFileAndAFolder) {
  box_.MakeDir(L"Moved");
  Kavri kavri(exe_, Args({L"data\\one.txt", L"data\\Album"}));
  ASSERT_NE(kavri.Window(), nullptr);
  kavri.SetDestination(box_.Path(L"Moved"));
  kavri.Type({{VK_RETURN, true}});
  EXPECT_TRUE(WaitForFiles({L"Moved\\one.txt", L"Moved\\Album\\2024\\beach.jpg"},
                           {L"data\\one.txt", L"data\\Album"}));
  EXPECT_TRUE(kavri.ListLines().empty());
  EXPECT_EQ(kavri.History(), Lines{box_.Path(L"Moved")});
}

TEST_F(TransferTest, DeleteAsksAndYesRemovesWhileNoTouchesNothing) {
  Kavri kavri(exe_, Args({L"data\\one.txt", L"data\\Album"}));
  ASSERT_NE(kavri.Window(), nullptr);
  kavri.Click(L"Del");
  MessageBoxSeen question = kavri.WaitForMessageBox();
  EXPECT_EQ(question.caption, L"Delete");
  EXPECT_EQ(question.text, L"Really?");
  Kavri::Answer(question, IDNO);
  kavri.Settle();
  EXPECT_EQ(kavri.ListLines().size(), 2u);
  EXPECT_FALSE(box_.Exists(L"prog\\tmp.bat"));

  kavri.Click(L"Del");
  question = kavri.WaitForMessageBox();
  Kavri::Answer(question, IDYES);
  EXPECT_TRUE(WaitForFiles({L"data\\two.txt"}, {L"data\\one.txt", L"data\\Album"}));
  EXPECT_TRUE(kavri.ListLines().empty());
  EXPECT_TRUE(kavri.History().empty());
}

TEST_F(TransferTest, NoToNewFolderKeepsTheListAndWritesNothing) {
  Kavri kavri(exe_, Args({L"data\\one.txt"}));
  ASSERT_NE(kavri.Window(), nullptr);
  kavri.SetDestination(box_.Path(L"Not there yet"));
  kavri.Click(L"Copy");
  const MessageBoxSeen question = kavri.WaitForMessageBox();
  EXPECT_EQ(question.caption, L"kavri");
  EXPECT_EQ(question.text, L"New folder?");
  Kavri::Answer(question, IDNO);
  kavri.Settle();
  EXPECT_EQ(kavri.ListLines(), Lines{box_.Path(L"data\\one.txt")});
  EXPECT_FALSE(box_.Exists(L"prog\\tmp.bat"));
  EXPECT_TRUE(kavri.History().empty());
}

TEST_F(TransferTest, YesToNewFolderLetsTheCopyMakeIt) {
  Kavri kavri(exe_, Args({L"data\\one.txt", L"data\\Album"}));
  ASSERT_NE(kavri.Window(), nullptr);
  kavri.SetDestination(box_.Path(L"Fresh"));
  kavri.Click(L"Copy");
  Kavri::Answer(kavri.WaitForMessageBox(), IDYES);
  EXPECT_TRUE(WaitForFiles({L"Fresh\\one.txt", L"Fresh\\Album\\2024\\beach.jpg"}));
  EXPECT_EQ(kavri.History(), Lines{box_.Path(L"Fresh")});
}

TEST_F(TransferTest, AScriptThatCannotBeWrittenIsShownAndTheListStays) {
  box_.MakeDir(L"prog\\tmp.bat");
  box_.MakeDir(L"Target");
  Kavri kavri(exe_, Args({L"data\\one.txt"}));
  ASSERT_NE(kavri.Window(), nullptr);
  kavri.SetDestination(box_.Path(L"Target"));
  kavri.Click(L"Copy");
  const MessageBoxSeen error = kavri.WaitForMessageBox();
  EXPECT_EQ(error.caption, L"kavri");
  EXPECT_NE(error.text.find(L"tmp.bat"), std::wstring::npos) << ToUtf8(error.text);
  Kavri::Answer(error, IDOK);
  kavri.Settle();
  EXPECT_EQ(kavri.ListLines(), Lines{box_.Path(L"data\\one.txt")});
  EXPECT_TRUE(kavri.History().empty());
  EXPECT_TRUE(kavri.Running());
}

}  // namespace
}  // namespace kavri::e2e
