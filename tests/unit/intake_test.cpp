#include "mainwindow/intake.h"

#include <gtest/gtest.h>

#include "unit/fakes.h"

namespace kavri {
namespace {

using namespace testing;

ArrivedPaths Arrived(std::initializer_list<const char*> paths) {
  ArrivedPaths arrived;
  for (const char* path : paths) arrived.emplace_back(path);
  return arrived;
}

class DropTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs_.folders = {"D:\\A", "E:\\B", "F:\\Target"};
    fs_.files = {{"C:\\a.txt", ""}, {"C:\\f.lnk", ""}, {"C:\\t.lnk", ""}, {"C:\\bad.lnk", ""},
                 {"C:\\X.LNK", ""}};
    shortcuts_.targets = {{"C:\\f.lnk", "F:\\Target"},
                          {"C:\\t.lnk", "G:\\target.txt"},
                          {"C:\\bad.lnk", std::nullopt},
                          {"C:\\X.LNK", std::nullopt},
                          {"C:\\old.lnk", "Z:\\left over"}};
  }
  void Drop(const ArrivedPaths& paths) {
    IntakePorts ports{list_, box_, fs_, shortcuts_, keys_, cp_};
    TakeDroppedPaths(paths, ports);
  }

  FakeItemList list_;
  FakeDestinationBox box_;
  FakeFileSystem fs_;
  FakeShortcutReader shortcuts_;
  FakeKeyState keys_;
  CodePage cp_ = CodePage::SingleByte();
};

TEST_F(DropTest, Rules) {
  struct Case {
    const char* what;
    ArrivedPaths dropped;
    bool ctrl;
    LineList listed;
    std::string destination;
  };
  const Case cases[] = {
      {"one folder sets the destination", Arrived({"D:\\A"}), false, {}, "D:\\A"},
      {"one folder with Ctrl is listed", Arrived({"D:\\A"}), true, {"D:\\A"}, "before"},
      {"two folders are both listed", Arrived({"D:\\A", "E:\\B"}), false, {"D:\\A", "E:\\B"},
       "before"},
      {"one file is listed", Arrived({"C:\\a.txt"}), false, {"C:\\a.txt"}, "before"},
      {"a missing path is listed", Arrived({"C:\\gone"}), false, {"C:\\gone"}, "before"},
      {"shortcut to a folder sets the destination", Arrived({"C:\\f.lnk"}), false, {},
       "F:\\Target"},
      {"shortcut to a file lists the target", Arrived({"C:\\t.lnk"}), false, {"G:\\target.txt"},
       "before"},
      {"shortcut with Ctrl is listed itself", Arrived({"C:\\f.lnk"}), true, {"C:\\f.lnk"},
       "before"},
      {"unreadable shortcut lists itself", Arrived({"C:\\bad.lnk"}), false, {"C:\\bad.lnk"},
       "before"},
      {"upper-case shortcut the component refuses lists itself", Arrived({"C:\\X.LNK"}), false,
       {"C:\\X.LNK"}, "before"},
      {"shortcut among others lists its folder target", Arrived({"C:\\f.lnk", "C:\\a.txt"}), false,
       {"F:\\Target", "C:\\a.txt"}, "before"},
      {"a refused path still counts, so the folder is listed",
       ArrivedPaths{std::nullopt, std::string("D:\\A")}, false, {"D:\\A"}, "before"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    list_ = FakeItemList();
    box_ = FakeDestinationBox();
    box_.text = "before";
    keys_.ctrl = c.ctrl;
    Drop(c.dropped);
    EXPECT_EQ(list_.Lines(), c.listed);
    EXPECT_EQ(box_.text, c.destination);
    EXPECT_EQ(list_.updateDepth, 0);
  }
}

TEST_F(DropTest, ExtensionIsLowerCasedBeforeTheShortcutTest) {
  // The component itself still refuses anything but ".lnk" exactly.
  fs_.files["C:\\Up.Lnk"] = "";
  shortcuts_.targets["C:\\Up.Lnk"] = std::nullopt;
  Drop(Arrived({"C:\\Up.Lnk"}));
  EXPECT_EQ(shortcuts_.read, std::vector<std::string>{"C:\\Up.Lnk"});
  EXPECT_EQ(list_.Lines(), LineList{"C:\\Up.Lnk"});
}

TEST_F(DropTest, AppendsAfterWhatIsListed) {
  list_ = FakeItemList({"C:\\first"});
  Drop(Arrived({"C:\\a.txt", "C:\\b.txt"}));
  EXPECT_EQ(list_.Lines(), (LineList{"C:\\first", "C:\\a.txt", "C:\\b.txt"}));
}

TEST(CommandLine, Rules) {
  struct Case {
    const char* what;
    ArrivedPaths arguments;
    LineList listed;
    std::string destination;
  };
  const Case cases[] = {
      {"-q D:\\A E:\\B", Arrived({"-q", "D:\\A", "E:\\B"}), {"D:\\A", "E:\\B"}, "before"},
      {"D:\\A E:\\B", Arrived({"D:\\A", "E:\\B"}), {"D:\\A", "E:\\B"}, "D:\\A"},
      {"empty arguments are skipped", Arrived({"", "D:\\A", ""}), {"D:\\A"}, "before"},
      {"a refused first argument sets nothing", ArrivedPaths{std::nullopt, std::string("D:\\A")},
       {"D:\\A"}, "before"},
      {"no arguments", {}, {}, "before"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeItemList list;
    FakeDestinationBox box;
    box.text = "before";
    TakeCommandLine(c.arguments, list, box);
    EXPECT_EQ(list.Lines(), c.listed);
    EXPECT_EQ(box.text, c.destination);
  }
}

TEST(ExactConversion, KeptShortFormOrRefused) {
  FakePathConverter converter;
  converter.exact[L"C:\\r\u00e9sum\u00e9.txt"] = "C:\\r\xE9sum\xE9.txt";
  converter.shortForms[L"C:\\\u0420\u043e\u043c\u0430\u043d.txt"] = L"C:\\5A7B~1.TXT";
  converter.shortForms[L"C:\\\u03a9 long name.txt"] = L"C:\\\u03a9LONG~1.TXT";
  const ConvertedPaths converted = ConvertArrivedPaths(
      {L"C:\\plain.txt", L"C:\\r\u00e9sum\u00e9.txt", L"C:\\\u0420\u043e\u043c\u0430\u043d.txt",
       L"C:\\\u03a9 long name.txt", L"C:\\\u20ac"},
      converter);
  EXPECT_EQ(converted.paths,
            (ArrivedPaths{std::string("C:\\plain.txt"), std::string("C:\\r\xE9sum\xE9.txt"),
                          std::string("C:\\5A7B~1.TXT"), std::nullopt, std::nullopt}));
  EXPECT_EQ(converted.refused,
            (std::vector<std::wstring>{L"C:\\\u03a9 long name.txt", L"C:\\\u20ac"}));
}

TEST(ExactConversion, MessageNamesEveryRefusedPath) {
  const std::wstring one = RefusedPathsMessage({L"C:\\\u20ac.txt"});
  EXPECT_NE(one.find(L"\nC:\\\u20ac.txt"), std::wstring::npos);
  const std::wstring two = RefusedPathsMessage({L"C:\\a\u20ac", L"C:\\b\u20ac"});
  EXPECT_NE(two.find(L"\nC:\\a\u20ac\nC:\\b\u20ac"), std::wstring::npos);
}

}  // namespace
}  // namespace kavri
