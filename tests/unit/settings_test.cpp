#include "mainwindow/settings.h"

#include <gtest/gtest.h>

#include "platform/error.h"
#include "unit/fakes.h"

namespace kavri {
namespace {

using testing::FakeDestinationBox;
using testing::FakeFileSystem;
using testing::FakeFormWindow;

const std::string kIni = "C:\\k\\kavri.ini";

class SettingsTest : public ::testing::Test {
 protected:
  void Load() { LoadSettings(fs_, kIni, iniList_, box_, window_); }
  void Save() { SaveSettings(fs_, kIni, iniList_, box_, window_); }

  FakeFileSystem fs_;
  FakeDestinationBox box_;
  FakeFormWindow window_;
  LineList iniList_;
};

TEST_F(SettingsTest, SavesTwoHistoryLinesThenEightEmptyOnesThenGeometryAndFlag) {
  box_.history = {"D:\\A", "D:\\B"};
  window_.bounds = {-5, 40, 300, 400};
  Save();
  EXPECT_EQ(fs_.files[kIni],
            "D:\\A\r\nD:\\B\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n-5\r\n40\r\n300\r\n400\r\nfalse\r\n");
  EXPECT_EQ(iniList_.size(), 15u);
}

TEST_F(SettingsTest, SavesOnlyTheFirstTenOfTwelveHistoryLines) {
  for (int i = 1; i <= 12; ++i) box_.history.push_back("D:\\" + std::to_string(i));
  window_.onTop = true;
  Save();
  const LineList lines = SplitLines(fs_.files[kIni]);
  ASSERT_EQ(lines.size(), 15u);
  EXPECT_EQ(lines[0], "D:\\1");
  EXPECT_EQ(lines[9], "D:\\10");
  EXPECT_EQ(lines[14], "true");
  EXPECT_EQ(box_.history.size(), 12u);
}

TEST_F(SettingsTest, RoundTrip) {
  box_.history = {"D:\\A", "E:\\X"};
  window_.bounds = {10, 20, 250, 350};
  window_.onTop = true;
  Save();
  FakeDestinationBox loadedBox;
  FakeFormWindow loadedWindow;
  LineList loadedList;
  LoadSettings(fs_, kIni, loadedList, loadedBox, loadedWindow);
  EXPECT_EQ(loadedBox.history, box_.history);
  EXPECT_EQ(loadedWindow.bounds, (Bounds{10, 20, 250, 350}));
  EXPECT_TRUE(loadedWindow.onTop);
  EXPECT_EQ(loadedList, iniList_);
}

TEST_F(SettingsTest, EmptyHistoryLinesLeaveNoGap) {
  fs_.files[kIni] = "D:\\A\r\nD:\\B\r\n\r\nE:\\X\r\n\r\n\r\n\r\n\r\n\r\n\r\n1\r\n2\r\n300\r\n400\r\nfalse\r\n";
  Load();
  EXPECT_EQ(box_.history, (LineList{"D:\\A", "D:\\B", "E:\\X"}));
  EXPECT_EQ(window_.bounds, (Bounds{1, 2, 300, 400}));
}

TEST_F(SettingsTest, OnlyAnExactTrueKeepsTheWindowOnTop) {
  struct Case {
    const char* flagLines;
    bool onTop;
  };
  for (const Case c : {Case{"true\r\n", true}, Case{"false\r\n", false}, Case{"TRUE\r\n", false},
                       Case{"True\r\n", false}, Case{"true \r\n", false}, Case{"", false}}) {
    SCOPED_TRACE(c.flagLines);
    FakeDestinationBox box;
    FakeFormWindow window;
    LineList list;
    fs_.files[kIni] = std::string(10, '\n') + "1\n2\n300\n400\n" + c.flagLines;
    LoadSettings(fs_, kIni, list, box, window);
    EXPECT_EQ(window.onTop, c.onTop);
  }
}

// Every kind of line end, a NUL byte, and damaged files: each reads what it
// can and keeps the design value for the rest, and the file is left as it is.
TEST_F(SettingsTest, ReadsWhatItCanOfAnyFile) {
  struct Case {
    const char* what;
    std::string text;
    LineList history;
    Bounds bounds;
    bool onTop = false;
  };
  const Bounds design{232, 98, 194, 283};
  const Case cases[] = {
      {"lone CR", "D:\\A\rD:\\B\r\r\r\r\r\r\r\r\r5\r6\r200\r300\rtrue", {"D:\\A", "D:\\B"},
       {5, 6, 200, 300}, true},
      {"lone LF, no final end", "D:\\A\n\n\n\n\n\n\n\n\n\n5\n6\n200\n300\nfalse", {"D:\\A"},
       {5, 6, 200, 300}},
      {"NUL ends the text", std::string("D:\\A\r\nD:\\B\0junk\r\n", 18) + "\r\n", {"D:\\A", "D:\\B"},
       design},
      {"empty", "", {}, {232, 98, 194, 283}},
      {"history only", "D:\\A\r\nD:\\B\r\n", {"D:\\A", "D:\\B"}, {232, 98, 194, 283}},
      {"ends after left", "D:\\A\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n7\r\n", {"D:\\A"},
       {7, 98, 194, 283}},
      {"top not an integer", std::string(10, '\n') + "7\nabc\n300\n400\nfalse\n", {},
       {7, 98, 300, 400}},
      {"hex and fractions are no decimal integers", std::string(10, '\n') + "$10\n1.5\n1e3\n 40 \n",
       {}, {232, 98, 194, 40}},
      {"too large", std::string(10, '\n') + "99999999999\n-3\n300\n400\n", {}, {232, -3, 300, 400}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeDestinationBox box;
    FakeFormWindow window;
    LineList list;
    fs_ = FakeFileSystem();
    fs_.files[kIni] = c.text;
    LoadSettings(fs_, kIni, list, box, window);
    EXPECT_EQ(box.history, c.history);
    EXPECT_EQ(window.bounds, c.bounds);
    EXPECT_EQ(window.onTop, c.onTop);
    EXPECT_EQ(fs_.files[kIni], c.text);
    EXPECT_TRUE(fs_.written.empty());
  }
}

TEST_F(SettingsTest, MissingFileOrAFolderOfThatNameChangesNothing) {
  Load();
  fs_.folders = {kIni};
  Load();
  EXPECT_TRUE(box_.history.empty());
  EXPECT_EQ(window_.bounds, (Bounds{232, 98, 194, 283}));
  EXPECT_TRUE(iniList_.empty());
}

TEST_F(SettingsTest, UnreadableFileLeavesTheDesign) {
  fs_.files[kIni] = "D:\\A\r\n";
  fs_.unreadable = {kIni};
  Load();
  EXPECT_TRUE(box_.history.empty());
  EXPECT_EQ(window_.bounds, (Bounds{232, 98, 194, 283}));
}

TEST_F(SettingsTest, FailedSaveIsAnErrorAndKeepsTheOldFile) {
  fs_.files[kIni] = "old\r\n";
  fs_.readOnly = {kIni};
  box_.history = {"D:\\A"};
  EXPECT_THROW(Save(), Error);
  EXPECT_EQ(fs_.files[kIni], "old\r\n");
}

TEST(DecimalLines, Table) {
  struct Case {
    const char* text;
    std::optional<int> value;
  };
  const Case cases[] = {{"0", 0},           {"-5", -5},        {"+7", 7},       {" 12 ", 12},
                        {"2147483647", INT_MAX}, {"-2147483648", INT_MIN}, {"2147483648", std::nullopt},
                        {"", std::nullopt}, {"-", std::nullopt}, {"+-1", std::nullopt},
                        {"1 2", std::nullopt}, {"0x10", std::nullopt}, {"12a", std::nullopt}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseDecimal(c.text), c.value);
  }
}

TEST(History, NewTextGoesFirstAndKnownTextStaysWhereItIs) {
  FakeDestinationBox box;
  box.history = {"D:\\a1", "D:\\a2", "D:\\a3", "D:\\a4", "D:\\a5", "D:\\a6"};
  AddHistoryLine(box, "D:\\a5");
  EXPECT_EQ(box.history[4], "D:\\a5");
  EXPECT_EQ(box.history.size(), 6u);

  FakeDestinationBox cased;
  cased.history = {"D:\\a"};
  AddHistoryLine(cased, "d:\\a");
  EXPECT_EQ(cased.history, (LineList{"d:\\a", "D:\\a"}));
}

TEST(History, GrowsWithoutLimitInMemory) {
  FakeDestinationBox box;
  for (int i = 0; i < 25; ++i) AddHistoryLine(box, "D:\\" + std::to_string(i));
  EXPECT_EQ(box.history.size(), 25u);
  EXPECT_EQ(box.history.front(), "D:\\24");
}

TEST(KeepOnScreen, ReachableWindowsStayAndLostOnesComeBack) {
  const std::vector<Bounds> screens = {{0, 0, 1024, 738}, {1024, 0, 800, 600}};
  struct Case {
    const char* what;
    Bounds window;
    Bounds placed;
  };
  const Case cases[] = {
      {"inside", {232, 98, 194, 283}, {232, 98, 194, 283}},
      {"on the second screen", {1200, 50, 194, 283}, {1200, 50, 194, 283}},
      {"partly off, title still reachable", {-100, 10, 194, 283}, {-100, 10, 194, 283}},
      {"far right", {5000, 100, 194, 283}, {1630, 100, 194, 283}},
      {"far left and up", {-3000, -3000, 194, 283}, {0, 0, 194, 283}},
      {"below the first screen", {300, 2000, 194, 283}, {300, 455, 194, 283}},
      {"minimised position", {-32000, -32000, 160, 28}, {0, 0, 160, 28}},
      {"only a sliver visible", {1000, 100, 194, 283}, {1000, 100, 194, 283}},
      {"one pixel visible", {-193, 100, 194, 283}, {0, 100, 194, 283}},
      {"sizes near the limit of an int", {1111111111, 5, 1111111111, 1111111111},
       {1024, 0, 1111111111, 1111111111}},
      {"far beyond the limit the other way", {INT_MIN, INT_MIN, 194, 283}, {0, 0, 194, 283}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(KeepOnScreen(c.window, screens), c.placed);
  }
  EXPECT_EQ(KeepOnScreen({5000, 5000, 10, 10}, {}), (Bounds{5000, 5000, 10, 10}));
}

}  // namespace
}  // namespace kavri
