#include "transfer/transfer_commands.h"

#include <gtest/gtest.h>

#include "unit/fakes.h"

namespace kavri {
namespace {

using namespace testing;

class TransferTest : public ::testing::Test {
 protected:
  TransferContext Context() {
    return {list_, box_, dialogs_, shortcuts_, {fs_, oem_, runner_, cp_}, exeDir_, desktopDir_,
            batPath_};
  }
  void Run(TransferKind kind) {
    TransferContext context = Context();
    RunTransfer(kind, context);
  }
  std::string Resolve(const std::string& name) {
    TransferContext context = Context();
    return ResolveDestination(name, context);
  }
  std::string Script() { return fs_.files[batPath_]; }

  FakeItemList list_;
  FakeDestinationBox box_;
  FakeDialogs dialogs_;
  FakeShortcutReader shortcuts_;
  FakeFileSystem fs_;
  FakeOemConverter oem_;
  FakeScriptRunner runner_;
  CodePage cp_ = CodePage::SingleByte();
  std::string exeDir_ = "C:\\Program\\";
  std::string desktopDir_ = "C:\\Desktop\\";
  std::string batPath_ = "C:\\Program\\tmp.bat";
};

TEST_F(TransferTest, ResolutionOrder) {
  list_ = FakeItemList({"C:\\Work\\a.txt"});
  struct Case {
    const char* what;
    std::map<std::string, std::optional<std::string>> shortcuts;
    std::string resolved;
  };
  const Case cases[] = {
      {"beside the program first",
       {{"C:\\Program\\Backup.lnk", "E:\\Backup"}, {"C:\\Desktop\\Backup.lnk", "F:\\Desk"}},
       "E:\\Backup"},
      {"then on the desktop", {{"C:\\Desktop\\Backup.lnk", "F:\\Desk"}}, "F:\\Desk"},
      {"then beside the first item", {}, "C:\\Work\\Backup"},
      {"an unreadable shortcut beside the program counts as not there",
       {{"C:\\Program\\Backup.lnk", std::nullopt}, {"C:\\Desktop\\Backup.lnk", "F:\\Desk"}},
       "F:\\Desk"},
      {"unreadable in both places",
       {{"C:\\Program\\Backup.lnk", std::nullopt}, {"C:\\Desktop\\Backup.lnk", std::nullopt}},
       "C:\\Work\\Backup"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs_.files.clear();
    for (const auto& [path, target] : c.shortcuts) fs_.files[path] = "";
    shortcuts_.targets = c.shortcuts;
    // A read that succeeded earlier must not leak into a failed one.
    shortcuts_.targets["C:\\Program\\Other.lnk"] = "X:\\stale";
    EXPECT_EQ(Resolve("Backup"), c.resolved);
  }
}

TEST_F(TransferTest, AShortcutNamedLikeAFolderIsNotRead) {
  list_ = FakeItemList({"C:\\Work\\a.txt"});
  fs_.folders = {"C:\\Program\\Backup.lnk"};
  shortcuts_.targets["C:\\Program\\Backup.lnk"] = "E:\\Backup";
  EXPECT_EQ(Resolve("Backup"), "C:\\Work\\Backup");
  EXPECT_TRUE(shortcuts_.read.empty());
}

TEST_F(TransferTest, Flow) {
  struct Case {
    const char* what;
    LineList items;
    std::string typed;
    std::deque<int> answers;
    std::vector<std::string> asked;
    std::string script;  // empty: nothing written
    bool listEmptied;
  };
  const Case cases[] = {
      {"empty destination does nothing", {"C:\\a.txt"}, "", {}, {}, "", false},
      {"empty list does nothing", {}, "D:\\X", {}, {}, "", false},
      {"existing folder, no question", {"C:\\a.txt"}, "D:\\Exists", {}, {},
       "XCOPY \"C:\\a.txt\" \"D:\\Exists\\\" /H /I /K\r\n", true},
      {"missing folder asks, Yes goes on", {"C:\\a.txt"}, "D:\\New", {kIdYes}, {"New folder?"},
       "XCOPY \"C:\\a.txt\" \"D:\\New\\\" /H /I /K\r\n", true},
      {"missing folder asks, No stops", {"C:\\a.txt"}, "D:\\New", {kIdNo}, {"New folder?"}, "",
       false},
      {"D: never asks", {"C:\\a.txt"}, "D:", {}, {}, "XCOPY \"C:\\a.txt\" \"D:\\\" /H /I /K\r\n",
       true},
      {"C:\\ never asks", {"C:\\a.txt"}, "C:\\", {}, {},
       "XCOPY \"C:\\a.txt\" \"C:\\\" /H /I /K\r\n", true},
      {"trailing backslash kept single", {"C:\\a.txt"}, "D:\\Exists\\", {}, {},
       "XCOPY \"C:\\a.txt\" \"D:\\Exists\\\" /H /I /K\r\n", true},
      {"bare name beside the first item", {"C:\\Work\\a.txt"}, "Backup", {kIdYes},
       {"New folder?"}, "XCOPY \"C:\\Work\\a.txt\" \"C:\\Work\\Backup\\\" /H /I /K\r\n", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    list_ = FakeItemList(c.items);
    box_ = FakeDestinationBox();
    box_.text = c.typed;
    dialogs_ = FakeDialogs();
    dialogs_.answers = c.answers;
    fs_ = FakeFileSystem();
    fs_.folders = {"D:\\Exists"};
    Run(TransferKind::Copy);
    std::vector<std::string> asked;
    for (const auto& shown : dialogs_.shown) {
      asked.push_back(shown.text);
      EXPECT_EQ(shown.caption, "kavri");
      EXPECT_EQ(shown.flags, kMbYesNo);
    }
    EXPECT_EQ(asked, c.asked);
    EXPECT_EQ(fs_.files.count(batPath_) ? Script() : "", c.script);
    EXPECT_EQ(list_.Count() == 0, c.listEmptied || c.items.empty());
    EXPECT_EQ(box_.history, c.listEmptied ? LineList{c.typed} : LineList{});
    EXPECT_EQ(box_.text, c.typed);
  }
}

TEST_F(TransferTest, HistoryGetsTheNameAsTypedNotTheResolvedPath) {
  list_ = FakeItemList({"C:\\a.txt", "C:\\b.txt", "C:\\c.txt"});
  box_.text = "Backup";
  fs_.files["C:\\Program\\Backup.lnk"] = "";
  fs_.folders = {"E:\\Backup"};
  shortcuts_.targets["C:\\Program\\Backup.lnk"] = "E:\\Backup";
  Run(TransferKind::Copy);
  EXPECT_EQ(Script(),
            "XCOPY \"C:\\a.txt\" \"E:\\Backup\\\" /H /I /K\r\n"
            "XCOPY \"C:\\b.txt\" \"E:\\Backup\\\" /H /I /K\r\n"
            "XCOPY \"C:\\c.txt\" \"E:\\Backup\\\" /H /I /K\r\n");
  EXPECT_EQ(box_.history, LineList{"Backup"});
  EXPECT_EQ(list_.Count(), 0);
  EXPECT_TRUE(dialogs_.shown.empty());
}

TEST_F(TransferTest, MoveWritesTheMoveScript) {
  list_ = FakeItemList({"C:\\a.txt"});
  box_.text = "D:\\Exists";
  box_.history = {"D:\\Exists"};
  fs_.folders = {"D:\\Exists"};
  Run(TransferKind::Move);
  EXPECT_EQ(SplitLines(Script()).front(), "@ECHO OFF");
  EXPECT_EQ(box_.history, LineList{"D:\\Exists"});
}

TEST_F(TransferTest, DestinationEndingInADoubleByteCharacterGetsItsBackslash) {
  // 表 is 0x95 0x5C: its last byte is a backslash byte, yet it is no backslash.
  cp_ = CodePage::ShiftJis();
  oem_.samePages = true;
  const std::string folder = "D:\\\x95\x5C";
  list_ = FakeItemList({"C:\\dir"});
  fs_.folders = {"C:\\dir", folder};
  box_.text = folder;
  Run(TransferKind::Copy);
  EXPECT_EQ(Script(), "XCOPY \"C:\\dir\" \"" + folder + "\\dir\" /E /H /I /K\r\n");
}

TEST_F(TransferTest, FailedScriptKeepsTheListAndTheHistory) {
  list_ = FakeItemList({"C:\\a.txt"});
  box_.text = "D:\\Exists";
  fs_.folders = {"D:\\Exists"};
  fs_.readOnly = {batPath_};
  EXPECT_THROW(Run(TransferKind::Copy), Error);
  EXPECT_EQ(list_.Count(), 1);
  EXPECT_TRUE(box_.history.empty());
  EXPECT_TRUE(runner_.started.empty());
}

TEST_F(TransferTest, DeleteAsksEvenOnAnEmptyListThenWritesAndStartsAnEmptyScript) {
  dialogs_.answers = {kIdYes};
  fs_.files[batPath_] = "old\r\n";
  TransferContext context = Context();
  DeleteAll(context);
  ASSERT_EQ(dialogs_.shown.size(), 1u);
  EXPECT_EQ(dialogs_.shown[0], (FakeDialogs::Shown{"Really?", "Delete", kMbYesNo}));
  EXPECT_EQ(Script(), "");
  EXPECT_EQ(runner_.started, std::vector<std::string>{batPath_});
}

// A second start hands an item over while the user answers: it was not in
// the batch the user confirmed, so it is neither in the script nor removed.
TEST_F(TransferTest, ItemsArrivingWhileAQuestionIsOpenStayOutOfTheBatch) {
  for (const bool copy : {true, false}) {
    SCOPED_TRACE(copy ? "Copy" : "Delete");
    list_ = FakeItemList({"C:\\a.txt"});
    fs_ = FakeFileSystem();
    box_.text = "D:\\New";
    dialogs_ = FakeDialogs();
    dialogs_.answers = {kIdYes};
    dialogs_.whileShown = [this] { list_.Append("C:\\late.txt"); };
    TransferContext context = Context();
    if (copy) {
      RunTransfer(TransferKind::Copy, context);
    } else {
      DeleteAll(context);
    }
    EXPECT_EQ(Script().find("late"), std::string::npos) << Script();
    EXPECT_NE(Script().find("a.txt"), std::string::npos);
    EXPECT_EQ(list_.Lines(), LineList{"C:\\late.txt"});
  }
}

TEST_F(TransferTest, DeleteWithNoTouchesNothing) {
  list_ = FakeItemList({"C:\\a.txt"});
  dialogs_.answers = {kIdNo};
  TransferContext context = Context();
  DeleteAll(context);
  EXPECT_EQ(list_.Count(), 1);
  EXPECT_TRUE(fs_.written.empty());
  EXPECT_TRUE(runner_.started.empty());
}

TEST_F(TransferTest, DeleteWithYesEmptiesTheListButNotTheHistory) {
  list_ = FakeItemList({"C:\\dir", "C:\\a.txt"});
  fs_.folders = {"C:\\dir"};
  box_.text = "D:\\X";
  dialogs_.answers = {kIdYes};
  TransferContext context = Context();
  DeleteAll(context);
  EXPECT_EQ(Script(), "DELTREE /Y \"C:\\dir\"\r\nDEL \"C:\\a.txt\"\r\n");
  EXPECT_EQ(list_.Count(), 0);
  EXPECT_TRUE(box_.history.empty());
}

}  // namespace
}  // namespace kavri
