#include "utilities/item_utilities.h"

#include <gtest/gtest.h>

#include "unit/fakes.h"
#include "utilities/system_tools.h"

namespace kavri {
namespace {

using namespace testing;

TEST(Rename, MovesTheCurrentItemAndShowsTheNewPath) {
  FakeItemList list({"C:\\a.txt", "C:\\b.txt"});
  list.SetCurrent(1);
  FakeDestinationBox box;
  box.text = "C:\\c.txt";
  FakeFileSystem fs;
  fs.files = {{"C:\\a.txt", ""}, {"C:\\b.txt", "b"}};
  FakeDialogs dialogs;
  RenameCurrentItem(list, box, fs, dialogs);
  EXPECT_EQ(list.Lines(), (LineList{"C:\\a.txt", "C:\\c.txt"}));
  EXPECT_EQ(box.text, "");
  EXPECT_EQ(fs.files["C:\\c.txt"], "b");
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST(Rename, FailureShowsErrorAndChangesNothing) {
  struct Case {
    const char* what;
    std::string newPath;
  };
  for (const Case& c : {Case{"empty destination", ""}, Case{"name taken", "C:\\b.txt"}}) {
    SCOPED_TRACE(c.what);
    FakeItemList list({"C:\\a.txt"});
    FakeDestinationBox box;
    box.text = c.newPath;
    FakeFileSystem fs;
    fs.files = {{"C:\\a.txt", ""}, {"C:\\b.txt", ""}};
    FakeDialogs dialogs;
    RenameCurrentItem(list, box, fs, dialogs);
    EXPECT_EQ(dialogs.shown, (std::vector<FakeDialogs::Shown>{{"error", "Rename", kMbIconStop}}));
    EXPECT_EQ(list.Lines(), LineList{"C:\\a.txt"});
    EXPECT_EQ(box.text, c.newPath);
  }
}

TEST(Rename, NoCurrentItemDoesNothing) {
  FakeItemList list;
  FakeDestinationBox box;
  box.text = "C:\\x";
  FakeFileSystem fs;
  FakeDialogs dialogs;
  RenameCurrentItem(list, box, fs, dialogs);
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(box.text, "C:\\x");
}

TEST(MakeFolder, SucceedsOnlyForOneNewFolderUnderAnExistingParent) {
  struct Case {
    std::string path;
    bool made;
  };
  const Case cases[] = {{"D:\\A", true}, {"D:\\A\\B", false}, {"", false}, {"D:\\Exists", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    FakeDestinationBox box;
    box.text = c.path;
    FakeFileSystem fs;
    fs.folders = {"D:\\Exists"};
    FakeDialogs dialogs;
    EXPECT_EQ(MakeFolderFromBox(box, fs, dialogs), c.made);
    EXPECT_EQ(fs.IsFolder(c.path), c.made || c.path == "D:\\Exists");
    const std::vector<FakeDialogs::Shown> expected =
        c.made ? std::vector<FakeDialogs::Shown>{}
               : std::vector<FakeDialogs::Shown>{{"Can't create dir", "mkdir", kMbIconStop}};
    EXPECT_EQ(dialogs.shown, expected);
  }
}

TEST(OpenAndExplore, CommandLines) {
  const std::string longPath = "C:\\" + std::string(300, 'x') + "\\file.txt";
  FakeItemList list({"C:\\a.txt", longPath});
  list.SetCurrent(1);
  FakeLauncher launcher;
  OpenCurrentItem(list, launcher);
  EXPECT_EQ(launcher.opened, std::vector<std::string>{longPath});

  FakeItemList empty;
  OpenCurrentItem(empty, launcher);
  EXPECT_EQ(launcher.opened.size(), 1u);

  FakeDestinationBox box;
  box.text = "D:\\My Files";
  ExploreDestination(box, launcher);
  EXPECT_EQ(launcher.ran, std::vector<std::string>{"explorer.exe \"D:\\My Files\""});
}

TEST(SystemTools, CommandLines) {
  EXPECT_STREQ(kScandiskCommand, "SCANDSKW.EXE");
  EXPECT_STREQ(kDefragCommand, "DEFRAG.EXE");
  EXPECT_EQ(ReadmeCommand("C:\\Tools\\"), "notepad.exe \"C:\\Tools\\readme.txt\"");
}

}  // namespace
}  // namespace kavri
