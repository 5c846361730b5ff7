#include "mainwindow/list_commands.h"

#include <gtest/gtest.h>

#include "unit/fakes.h"

namespace kavri {
namespace {

using testing::FakeDestinationBox;
using testing::FakeItemList;

LineList Numbered(int count) {
  LineList lines;
  for (int i = 0; i < count; ++i) lines.push_back("C:\\" + std::to_string(i));
  return lines;
}

TEST(DeleteKey, RemovesEverySelectedLine) {
  struct Case {
    const char* what;
    int lines;
    std::vector<int> selected;
    LineList left;
  };
  const Case cases[] = {
      {"all three selected", 3, {0, 1, 2}, {}},
      {"nothing selected", 3, {}, {"C:\\0", "C:\\1", "C:\\2"}},
      {"neighbours", 5, {1, 2}, {"C:\\0", "C:\\3", "C:\\4"}},
      {"first and last", 4, {0, 3}, {"C:\\1", "C:\\2"}},
      {"empty list", 0, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeItemList list(Numbered(c.lines));
    for (int index : c.selected) list.Select(index);
    ListKeyDown(kVkDelete, list);
    EXPECT_EQ(list.Lines(), c.left);
    EXPECT_EQ(list.updateDepth, 0);
  }
}

TEST(DeleteKey, ManySelectedLinesAreRebuiltOnce) {
  FakeItemList list(Numbered(1000));
  LineList expected;
  for (int i = 0; i < 1000; ++i) {
    if (i % 3 == 0) {
      expected.push_back("C:\\" + std::to_string(i));
    } else {
      list.Select(i);
    }
  }
  ListKeyDown(kVkDelete, list);
  EXPECT_EQ(list.Lines(), expected);
  EXPECT_EQ(list.rebuilds, 1);
  EXPECT_EQ(list.removals, 0);
}

TEST(DeleteKey, OtherKeysLeaveTheList) {
  FakeItemList list(Numbered(2));
  list.Select(0);
  for (unsigned key : {8u, 13u, 45u, 65u}) ListKeyDown(key, list);
  EXPECT_EQ(list.Count(), 2);
}

TEST(RemoveFirstLines, KeepsWhatCameAfter) {
  FakeItemList list(Numbered(5));
  RemoveFirstLines(list, 3);
  EXPECT_EQ(list.Lines(), (LineList{"C:\\3", "C:\\4"}));
  RemoveFirstLines(list, 2);
  EXPECT_EQ(list.Count(), 0);
  RemoveFirstLines(list, 0);
  EXPECT_EQ(list.Count(), 0);
}

TEST(BoxKeys, Decisions) {
  EXPECT_EQ(DecideBoxKey(kVkReturn, false), BoxKeyAction::Copy);
  EXPECT_EQ(DecideBoxKey(kVkReturn, true), BoxKeyAction::Move);
  EXPECT_EQ(DecideBoxKey(kVkEscape, false), BoxKeyAction::Close);
  EXPECT_EQ(DecideBoxKey(kVkEscape, true), BoxKeyAction::Close);
  EXPECT_EQ(DecideBoxKey(kVkInsert, false), BoxKeyAction::CutToFolder);
  EXPECT_EQ(DecideBoxKey(kVkF5, false), BoxKeyAction::Explore);
  EXPECT_EQ(DecideBoxKey(kVkDelete, false), BoxKeyAction::None);
  EXPECT_EQ(DecideBoxKey('A', true), BoxKeyAction::None);
}

TEST(BoxKeys, InsertCutsTheTextToItsFolderPart) {
  struct Case {
    std::string text;
    std::string left;
  };
  for (const Case& c : {Case{"C:\\A\\B.TXT", "C:\\A\\"}, Case{"B.TXT", ""}, Case{"C:B", "C:"},
                        Case{"C:\\A\\", "C:\\A\\"}}) {
    SCOPED_TRACE(c.text);
    FakeDestinationBox box;
    box.text = c.text;
    CutDestinationToFolder(box, CodePage::SingleByte());
    EXPECT_EQ(box.text, c.left);
    EXPECT_TRUE(box.allSelected);
  }
}

TEST(ListClick, BringsTheCurrentItemIntoTheBox) {
  FakeItemList list({"C:\\a", "C:\\b"});
  FakeDestinationBox box;
  list.SetCurrent(1);
  BringCurrentItemToBox(list, box);
  EXPECT_EQ(box.text, "C:\\b");

  FakeItemList empty;
  box.text = "kept";
  BringCurrentItemToBox(empty, box);
  EXPECT_EQ(box.text, "kept");
}

TEST(New, EmptiesListAndBox) {
  FakeItemList list({"C:\\a"});
  FakeDestinationBox box;
  box.text = "D:\\";
  box.history = {"D:\\"};
  ClearListAndBox(list, box);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(box.text, "");
  EXPECT_EQ(box.history, LineList{"D:\\"});
}

}  // namespace
}  // namespace kavri
