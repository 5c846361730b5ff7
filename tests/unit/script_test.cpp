#include "transfer/script.h"

#include <gtest/gtest.h>

#include "platform/error.h"
#include "unit/fakes.h"

namespace kavri {
namespace {

using testing::FakeFileSystem;
using testing::FakeOemConverter;
using testing::FakeScriptRunner;

class ScriptTest : public ::testing::Test {
 protected:
  LineList Build(TransferKind kind, const LineList& items, std::string_view destination = "") {
    return BuildScript(kind, items, destination, fs_, cp_);
  }
  FakeFileSystem fs_;
  CodePage cp_ = CodePage::SingleByte();
};

TEST_F(ScriptTest, CopyLinePerItem) {
  fs_.folders = {"C:\\Data\\Photos", "E:\\"};
  fs_.files = {{"C:\\Data\\a.txt", ""}};
  struct Case {
    std::string item;
    std::string line;
  };
  const Case cases[] = {
      {"C:\\Data\\Photos", "XCOPY \"C:\\Data\\Photos\" \"D:\\Backup\\Photos\" /E /H /I /K"},
      {"C:\\Data\\a.txt", "XCOPY \"C:\\Data\\a.txt\" \"D:\\Backup\\\" /H /I /K"},
      {"E:\\", "XCOPY \"E:\\\" \"D:\\Backup\\\" /E /H /I /K"},
      // Vanished since it was listed: classed as a file.
      {"C:\\Data\\gone", "XCOPY \"C:\\Data\\gone\" \"D:\\Backup\\\" /H /I /K"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    EXPECT_EQ(Build(TransferKind::Copy, {c.item}, "D:\\Backup\\"), LineList{c.line});
  }
}

TEST_F(ScriptTest, MoveOfOneFileIsEightLines) {
  fs_.files = {{"C:\\a.txt", ""}};
  EXPECT_EQ(Build(TransferKind::Move, {"C:\\a.txt"}, "D:\\B\\"),
            (LineList{"@ECHO OFF", "XCOPY \"C:\\a.txt\" \"D:\\B\\\" /H /I /K",
                      "IF ERRORLEVEL 1 GOTO ERR1", "DEL \"C:\\a.txt\"", "EXIT", ":ERR1", "PAUSE",
                      "EXIT"}));
}

TEST_F(ScriptTest, MoveOfTwoItemsIsElevenLinesInListOrder) {
  fs_.folders = {"C:\\dir"};
  EXPECT_EQ(Build(TransferKind::Move, {"C:\\dir", "C:\\b.txt"}, "D:\\"),
            (LineList{"@ECHO OFF", "XCOPY \"C:\\dir\" \"D:\\dir\" /E /H /I /K",
                      "IF ERRORLEVEL 1 GOTO ERR1", "DELTREE /Y \"C:\\dir\"",
                      "XCOPY \"C:\\b.txt\" \"D:\\\" /H /I /K", "IF ERRORLEVEL 1 GOTO ERR1",
                      "DEL \"C:\\b.txt\"", "EXIT", ":ERR1", "PAUSE", "EXIT"}));
}

TEST_F(ScriptTest, DeleteLines) {
  fs_.folders = {"C:\\dir"};
  EXPECT_EQ(Build(TransferKind::Delete, {"C:\\dir", "C:\\b.txt"}),
            (LineList{"DELTREE /Y \"C:\\dir\"", "DEL \"C:\\b.txt\""}));
  EXPECT_EQ(Build(TransferKind::Delete, {}), LineList{});
  EXPECT_EQ(Build(TransferKind::Copy, {}, "D:\\"), LineList{});
  EXPECT_EQ(Build(TransferKind::Move, {}, "D:\\"),
            (LineList{"@ECHO OFF", "EXIT", ":ERR1", "PAUSE", "EXIT"}));
}

TEST_F(ScriptTest, PercentIsDoubledAndEverythingElseKept) {
  fs_.folders = {"C:\\100%\\x%y%"};
  EXPECT_EQ(Build(TransferKind::Delete, {"C:\\a%x%b.txt"}), LineList{"DEL \"C:\\a%%x%%b.txt\""});
  EXPECT_EQ(Build(TransferKind::Copy, {"C:\\100%\\x%y%"}, "D:\\%TEMP%\\"),
            LineList{"XCOPY \"C:\\100%%\\x%%y%%\" \"D:\\%%TEMP%%\\x%%y%%\" /E /H /I /K"});
  EXPECT_EQ(Build(TransferKind::Delete, {"C:\\!a! & (b) ^c.txt"}),
            LineList{"DEL \"C:\\!a! & (b) ^c.txt\""});
}

TEST_F(ScriptTest, FolderNameIsNotSplitInsideADoubleByteCharacter) {
  // 表 is 0x95 0x5C in Shift-JIS.
  cp_ = CodePage::ShiftJis();
  const std::string folder = "C:\\\x95\x5C";
  fs_.folders = {folder};
  EXPECT_EQ(Build(TransferKind::Copy, {folder}, "D:\\"),
            LineList{"XCOPY \"" + folder + "\" \"D:\\\x95\x5C\" /E /H /I /K"});
}

TEST_F(ScriptTest, TextIsTheLinesEachEndedWithCrLf) {
  fs_.folders = {"C:\\dir", "C:\\%d%"};
  const LineList items = {"C:\\dir", "C:\\a%b.txt", "C:\\%d%"};
  for (TransferKind kind : {TransferKind::Copy, TransferKind::Move, TransferKind::Delete}) {
    SCOPED_TRACE(static_cast<int>(kind));
    EXPECT_EQ(ScriptText(kind, items, "D:\\", fs_, cp_),
              JoinLines(BuildScript(kind, items, "D:\\", fs_, cp_)));
  }
  EXPECT_EQ(ScriptText(TransferKind::Delete, {}, "", fs_, cp_), "");
}

TEST(ScriptEncoding, ConvertsToTheOemPage) {
  FakeOemConverter oem;
  EXPECT_EQ(EncodeScript("DEL \"C:\\r\xE9sum\xE9.txt\"\r\n", {"C:\\r\xE9sum\xE9.txt"}, "", oem),
            "DEL \"C:\\r\x82sum\x82.txt\"\r\n");
  EXPECT_EQ(EncodeScript("", {}, "", oem), "");
}

TEST(ScriptEncoding, NamesThePathTheOemPageCannotHold) {
  FakeOemConverter oem;
  const LineList items = {"C:\\ok.txt", "C:\\price \x80.txt"};
  try {
    EncodeScript("DEL \"C:\\ok.txt\"\r\nDEL \"C:\\price \x80.txt\"\r\n", items, "", oem);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("C:\\price \x80.txt"), std::string::npos) << e.what();
  }
  try {
    EncodeScript("XCOPY \"C:\\ok.txt\" \"D:\\\x80\\\" /H /I /K\r\n", {"C:\\ok.txt"},
                 "D:\\\x80\\", oem);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("D:\\\x80\\"), std::string::npos) << e.what();
  }
}

TEST(ScriptPath, NextFreeNameWhileEarlierScriptsRun) {
  const CodePage cp = CodePage::SingleByte();
  const std::string bat = "C:\\Program Files\\kavri\\tmp.bat";
  struct Case {
    std::set<std::string> running;
    std::string chosen;
  };
  const Case cases[] = {
      {{}, bat},
      {{"C:\\Program Files\\kavri\\tmp2.bat"}, bat},
      {{bat}, "C:\\Program Files\\kavri\\tmp2.bat"},
      {{bat, "C:\\Program Files\\kavri\\tmp2.bat"}, "C:\\Program Files\\kavri\\tmp3.bat"},
      {{bat, "C:\\Program Files\\kavri\\tmp3.bat"}, "C:\\Program Files\\kavri\\tmp2.bat"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chosen);
    EXPECT_EQ(ChooseScriptPath(bat, c.running, cp), c.chosen);
  }
}

class LaunchTest : public ::testing::Test {
 protected:
  void Launch(TransferKind kind, const LineList& items, std::string_view destination) {
    WriteAndLaunchScript(kind, items, destination, "C:\\k\\tmp.bat", {fs_, oem_, runner_, cp_});
  }
  FakeFileSystem fs_;
  FakeOemConverter oem_;
  FakeScriptRunner runner_;
  CodePage cp_ = CodePage::SingleByte();
};

TEST_F(LaunchTest, WritesThenStartsTheScript) {
  fs_.files = {{"C:\\a.txt", ""}};
  Launch(TransferKind::Copy, {"C:\\a.txt"}, "D:\\");
  EXPECT_EQ(fs_.files["C:\\k\\tmp.bat"], "XCOPY \"C:\\a.txt\" \"D:\\\" /H /I /K\r\n");
  EXPECT_EQ(runner_.started, std::vector<std::string>{"C:\\k\\tmp.bat"});
}

TEST_F(LaunchTest, EmptyDeleteScriptIsAnEmptyFileAndStillStarted) {
  fs_.files["C:\\k\\tmp.bat"] = "old script\r\n";
  Launch(TransferKind::Delete, {}, "");
  EXPECT_EQ(fs_.files["C:\\k\\tmp.bat"], "");
  EXPECT_EQ(runner_.started, std::vector<std::string>{"C:\\k\\tmp.bat"});
}

TEST_F(LaunchTest, ARunningScriptIsNeverRewritten) {
  fs_.files["C:\\k\\tmp.bat"] = "running\r\n";
  runner_.running = {"C:\\k\\tmp.bat"};
  Launch(TransferKind::Delete, {"C:\\x"}, "");
  EXPECT_EQ(fs_.files["C:\\k\\tmp.bat"], "running\r\n");
  EXPECT_EQ(fs_.files["C:\\k\\tmp2.bat"], "DEL \"C:\\x\"\r\n");
  EXPECT_EQ(runner_.started, std::vector<std::string>{"C:\\k\\tmp2.bat"});
}

TEST_F(LaunchTest, NothingStartsWhenTheScriptCannotBeWrittenOrEncoded) {
  fs_.readOnly = {"C:\\k\\tmp.bat"};
  fs_.files["C:\\k\\tmp.bat"] = "older script\r\n";
  EXPECT_THROW(Launch(TransferKind::Delete, {"C:\\x"}, ""), Error);
  EXPECT_TRUE(runner_.started.empty());

  fs_.readOnly.clear();
  EXPECT_THROW(Launch(TransferKind::Delete, {"C:\\\x80"}, ""), Error);
  EXPECT_TRUE(runner_.started.empty());
  EXPECT_EQ(fs_.files["C:\\k\\tmp.bat"], "older script\r\n");
}

}  // namespace
}  // namespace kavri
