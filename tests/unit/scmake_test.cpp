#include "scmake/scmake.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace kavri {
namespace {

constexpr LinkResult kFail = static_cast<LinkResult>(0x80004005u);         // E_FAIL
constexpr LinkResult kNotFound = static_cast<LinkResult>(0x80070002u);     // file not found
constexpr LinkResult kNoInterface = static_cast<LinkResult>(0x80004002u);  // E_NOINTERFACE
constexpr LinkResult kFalse = 1;                                           // S_FALSE

std::string Hex(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%04X", value);
  return text;
}

// What a loaded shortcut file holds.
struct LinkFields {
  std::string path;
  std::string workDir;
  std::int32_t showCommand = 0;
  std::uint16_t hotkey = 0;
  std::string iconPath;
  std::int32_t iconIndex = 0;
  std::string arguments;
};

// Shell link objects that log every call and release, and fail where told.
class FakeShellLinks : public ShellLinkFactory {
 public:
  LinkResult Create(std::unique_ptr<ShellLink>& link) override;

  LinkResult createResult = kLinkOk;
  bool createGivesNoObject = false;
  LinkResult queryResult = kLinkOk;
  LinkResult loadResult = kLinkOk;
  LinkResult saveResult = kLinkOk;
  LinkResult getterResult = kLinkOk;
  LinkResult setterResult = kLinkOk;
  LinkFields file;

  std::vector<std::string> calls;
  int live = 0;
};

class FakeLinkFile : public ShellLinkFile {
 public:
  explicit FakeLinkFile(FakeShellLinks& links) : links_(links) { ++links_.live; }
  ~FakeLinkFile() override {
    --links_.live;
    links_.calls.push_back("Release file");
  }
  LinkResult Load(const std::string& path) override {
    links_.calls.push_back("Load " + path);
    return links_.loadResult;
  }
  LinkResult Save(const std::string& path, bool remember) override {
    links_.calls.push_back("Save " + path + (remember ? " remember" : " forget"));
    return links_.saveResult;
  }

 private:
  FakeShellLinks& links_;
};

class FakeLink : public ShellLink {
 public:
  explicit FakeLink(FakeShellLinks& links) : links_(links) { ++links_.live; }
  ~FakeLink() override {
    --links_.live;
    links_.calls.push_back("Release link");
  }

  LinkResult QueryFile(std::unique_ptr<ShellLinkFile>& file) override {
    links_.calls.push_back("QueryFile");
    if (LinkFailed(links_.queryResult)) return links_.queryResult;
    file = std::make_unique<FakeLinkFile>(links_);
    return links_.queryResult;
  }

  LinkResult GetPath(std::string& path) override { return Get("GetPath", path, links_.file.path); }
  LinkResult GetWorkingDirectory(std::string& folder) override {
    return Get("GetWorkingDirectory", folder, links_.file.workDir);
  }
  LinkResult GetShowCmd(std::int32_t& showCommand) override {
    return Get("GetShowCmd", showCommand, links_.file.showCommand);
  }
  LinkResult GetHotkey(std::uint16_t& hotkey) override {
    return Get("GetHotkey", hotkey, links_.file.hotkey);
  }
  LinkResult GetIconLocation(std::string& path, std::int32_t& index) override {
    const bool failed = LinkFailed(links_.getterResult);
    index = failed ? 0 : links_.file.iconIndex;
    return Get("GetIconLocation", path, links_.file.iconPath);
  }
  LinkResult GetArguments(std::string& arguments) override {
    return Get("GetArguments", arguments, links_.file.arguments);
  }

  LinkResult SetPath(const std::string& path) override { return Set("SetPath " + path); }
  LinkResult SetWorkingDirectory(const std::string& folder) override {
    return Set("SetWorkingDirectory " + folder);
  }
  LinkResult SetShowCmd(std::int32_t showCommand) override {
    return Set("SetShowCmd " + std::to_string(showCommand));
  }
  LinkResult SetHotkey(std::uint16_t hotkey) override { return Set("SetHotkey " + Hex(hotkey)); }
  LinkResult SetIconLocation(const std::string& path, std::int32_t index) override {
    return Set("SetIconLocation " + path + "," + std::to_string(index));
  }
  LinkResult SetArguments(const std::string& arguments) override {
    return Set("SetArguments " + arguments);
  }

 private:
  // A getter that fails hands back an empty value, as the port promises.
  template <typename T>
  LinkResult Get(const char* name, T& out, const T& stored) {
    links_.calls.push_back(name);
    out = LinkFailed(links_.getterResult) ? T{} : stored;
    return links_.getterResult;
  }
  LinkResult Set(std::string call) {
    links_.calls.push_back(std::move(call));
    return links_.setterResult;
  }

  FakeShellLinks& links_;
};

LinkResult FakeShellLinks::Create(std::unique_ptr<ShellLink>& link) {
  calls.push_back("Create");
  if (LinkFailed(createResult)) return createResult;
  if (!createGivesNoObject) link = std::make_unique<FakeLink>(*this);
  return createResult;
}

using Calls = std::vector<std::string>;

const Calls kReadCalls = {
    "Create",       "QueryFile",           "Load C:\\Links\\Backup.lnk",
    "GetPath",      "GetWorkingDirectory", "GetShowCmd",
    "GetHotkey",    "GetIconLocation",     "GetArguments",
    "Release file", "Release link",
};

LinkFields BackupLink() {
  return {"E:\\Backup", "E:\\", 3, 0x064B, "C:\\icons.dll", 4, "-a \"b c\""};
}

// Properties that differ from every value a read or the defaults give.
SCMakeProperties EarlierProperties() {
  SCMakeProperties p;
  p.SetSCDir("D:\\Old");
  p.SetSCName("Old");
  p.SetLinkPath("D:\\Old target");
  p.SetWorkDir("D:\\Old work");
  p.SetShowCommand(7);
  p.SetHotkeyWord(0x0141);
  p.SetIconPath("D:\\old.ico");
  p.SetIconNo(9);
  p.SetArgument("old");
  return p;
}

TEST(SCMakeConversions, ShortcutToHotkeyWordAndBack) {
  struct Case {
    const char* what;
    std::uint16_t shortcut;
    std::uint16_t word;
    std::uint16_t readBack;
  };
  const Case cases[] = {
      {"Ctrl+Alt+K", 0x4000 + 0x8000 + 75, 0x064B, 0xC04B},
      {"nothing", 0, 0, 0},
      {"Shift+F1", 0x2000 + 0x70, 0x0170, 0x2070},
      {"Ctrl+Shift+Alt+A", 0xE041, 0x0741, 0xE041},
      {"key alone", 0x0041, 0x0041, 0x0041},
      {"modifiers without a key store nothing", 0x4000 + 0x8000, 0, 0},
      {"bits outside the modifiers are dropped", 0x1000 + 0x4000 + 0x41, 0x0241, 0x4041},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SCMakeProperties p;
    p.SetSCKey(c.shortcut);
    EXPECT_EQ(Hex(p.HotkeyWord()), Hex(c.word));
    EXPECT_EQ(Hex(p.SCKey()), Hex(c.readBack));
  }
}

TEST(SCMakeConversions, HotkeyWordFromAFileReadsAsShortcut) {
  struct Case {
    std::uint16_t word;
    std::uint16_t shortcut;
  };
  const Case cases[] = {
      {0x0000, 0x0000},
      {0x064B, 0xC04B},
      {0x0170, 0x2070},
      {0x0441, 0x8041},
      // Modifiers without a key still read back as modifiers.
      {0x0600, 0xC000},
      // HOTKEYF_EXT (0x08 in the high byte) has no menu-style counterpart.
      {0x0841, 0x0041},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Hex(c.word));
    EXPECT_EQ(Hex(ShortcutFor(c.word)), Hex(c.shortcut));
  }
}

TEST(SCMakeConversions, WndStateStoresShowCommands) {
  const std::pair<WNDSTATE, std::int32_t> cases[] = {
      {WNDSTATE::Normal, 5}, {WNDSTATE::Maximize, 3}, {WNDSTATE::Minimize, 7}};
  for (const auto& [state, showCommand] : cases) {
    SCOPED_TRACE(static_cast<int>(state));
    SCMakeProperties p;
    p.SetWndState(state);
    EXPECT_EQ(p.ShowCommand(), showCommand);
    EXPECT_EQ(p.WndState(), state);
  }
}

TEST(SCMakeConversions, StoredShowCommandsReadAsWndState) {
  const std::pair<std::int32_t, WNDSTATE> cases[] = {
      {0, WNDSTATE::Normal},   {1, WNDSTATE::Normal},   {2, WNDSTATE::Normal},
      {3, WNDSTATE::Maximize}, {4, WNDSTATE::Normal},   {5, WNDSTATE::Normal},
      {6, WNDSTATE::Normal},   {7, WNDSTATE::Minimize}, {10, WNDSTATE::Normal},
      {-1, WNDSTATE::Normal},
  };
  for (const auto& [showCommand, state] : cases) {
    SCOPED_TRACE(showCommand);
    SCMakeProperties p;
    p.SetShowCommand(showCommand);
    EXPECT_EQ(p.WndState(), state);
  }
}

TEST(SCMakeConversions, NormalReadFromShowNormalIsWrittenBackAsShow) {
  SCMakeProperties p;
  p.SetShowCommand(1);
  ASSERT_EQ(p.WndState(), WNDSTATE::Normal);
  p.SetWndState(p.WndState());
  EXPECT_EQ(p.ShowCommand(), 5);
}

TEST(SCMakeProperties, NewComponentIsEmpty) {
  const SCMakeProperties p;
  EXPECT_EQ(p.SCDir(), "");
  EXPECT_EQ(p.SCName(), "");
  EXPECT_EQ(p.LinkPath(), "");
  EXPECT_EQ(p.WorkDir(), "");
  EXPECT_EQ(p.ShowCommand(), 0);
  EXPECT_EQ(p.WndState(), WNDSTATE::Normal);
  EXPECT_EQ(p.HotkeyWord(), 0);
  EXPECT_EQ(p.SCKey(), 0);
  EXPECT_EQ(p.IconPath(), "");
  EXPECT_EQ(p.IconNo(), 0);
  EXPECT_EQ(p.Argument(), "");
}

TEST(SCMakeReadLink, ReadsEveryFieldOfTheFile) {
  FakeShellLinks links;
  links.file = BackupLink();
  SCMakeProperties p = EarlierProperties();
  EXPECT_EQ(ReadLinkInto(p, "C:\\Links\\Backup.lnk", links, CodePage::SingleByte()), 0);
  EXPECT_EQ(p.SCName(), "Backup");
  EXPECT_EQ(p.SCDir(), "C:\\Links");
  EXPECT_EQ(p.LinkPath(), "E:\\Backup");
  EXPECT_EQ(p.WorkDir(), "E:\\");
  EXPECT_EQ(p.ShowCommand(), 3);
  EXPECT_EQ(p.WndState(), WNDSTATE::Maximize);
  EXPECT_EQ(Hex(p.HotkeyWord()), "0x064B");
  EXPECT_EQ(Hex(p.SCKey()), "0xC04B");
  EXPECT_EQ(p.IconPath(), "C:\\icons.dll");
  EXPECT_EQ(p.IconNo(), 4);
  EXPECT_EQ(p.Argument(), "-a \"b c\"");
  EXPECT_EQ(links.calls, kReadCalls);
  EXPECT_EQ(links.live, 0);
}

TEST(SCMakeReadLink, FieldsTheFileLacksComeBackEmpty) {
  // Getters that fail are not looked at: the read still succeeds and every
  // field it could not get is empty, not left from before.
  FakeShellLinks links;
  links.file = BackupLink();
  links.getterResult = kFail;
  SCMakeProperties p = EarlierProperties();
  EXPECT_EQ(ReadLinkInto(p, "C:\\Links\\Backup.lnk", links, CodePage::SingleByte()), 0);
  SCMakeProperties expected;
  expected.SetSCDir("C:\\Links");
  expected.SetSCName("Backup");
  EXPECT_EQ(p, expected);
  EXPECT_EQ(links.calls, kReadCalls);
  EXPECT_EQ(links.live, 0);
}

TEST(SCMakeReadLink, RefusesAnythingButALowerCaseLnkExtension) {
  const char* const paths[] = {
      "C:\\Links\\Backup.LNK",
      "C:\\Links\\Backup.Lnk",
      "a.lnk.txt",
      "dir.lnk\\x",
      "C:\\Links\\Backup",
      "C:\\Links\\lnk",
      "Backup.lnk ",
      "C:\\Links\\Backup.lnk\\",
      "C:.lnk:x",
      "",
  };
  for (const char* path : paths) {
    SCOPED_TRACE(path);
    FakeShellLinks links;
    links.file = BackupLink();
    SCMakeProperties p = EarlierProperties();
    EXPECT_EQ(ReadLinkInto(p, path, links, CodePage::SingleByte()), -1);
    EXPECT_EQ(p, EarlierProperties());
    EXPECT_EQ(links.calls, Calls{});
  }
}

TEST(SCMakeReadLink, FailingStepKeepsPropertiesAndReleasesWhatItGot) {
  struct Case {
    const char* what;
    void (*arrange)(FakeShellLinks&);
    Calls calls;
  };
  const Case cases[] = {
      {"no shell link object", [](FakeShellLinks& l) { l.createResult = kFail; }, {"Create"}},
      {"success without an object",
       [](FakeShellLinks& l) { l.createGivesNoObject = true; },
       {"Create"}},
      {"no file interface",
       [](FakeShellLinks& l) { l.queryResult = kNoInterface; },
       {"Create", "QueryFile", "Release link"}},
      {"load fails",
       [](FakeShellLinks& l) { l.loadResult = kNotFound; },
       {"Create", "QueryFile", "Load C:\\Links\\Backup.lnk", "Release file", "Release link"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeShellLinks links;
    links.file = BackupLink();
    c.arrange(links);
    SCMakeProperties p = EarlierProperties();
    EXPECT_EQ(ReadLinkInto(p, "C:\\Links\\Backup.lnk", links, CodePage::SingleByte()), -1);
    EXPECT_EQ(p, EarlierProperties());
    EXPECT_EQ(links.calls, c.calls);
    EXPECT_EQ(links.live, 0);
  }
}

TEST(SCMakeReadLink, NameAndFolderComeFromThePath) {
  // "表" in Shift-JIS is 0x95 0x5C: its second byte is a backslash byte.
  const std::string hyo = "\x95\x5C";
  struct Case {
    std::string path;
    bool shiftJis;
    std::string scDir;
    std::string scName;
  };
  const Case cases[] = {
      {"C:\\x.lnk", false, "C:\\", "x"},
      {"C:\\Links\\Backup.lnk", false, "C:\\Links", "Backup"},
      {"C:\\Links\\a.b.lnk", false, "C:\\Links", "a.b"},
      {"C:\\Links\\.lnk", false, "C:\\Links", ""},
      {"x.lnk", false, "", "x"},
      {"C:x.lnk", false, "C:", "x"},
      {"\\\\server\\share\\s.lnk", false, "\\\\server\\share", "s"},
      {"C:\\" + hyo + "\\a.lnk", true, "C:\\" + hyo, "a"},
      {"C:\\" + hyo + ".lnk", true, "C:\\", hyo},
      // The same bytes in a single-byte page end in a folder delimiter.
      {"C:\\" + hyo + ".lnk", false, "C:\\\x95", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path + (c.shiftJis ? " (Shift-JIS)" : " (single byte)"));
    FakeShellLinks links;
    links.file = BackupLink();
    SCMakeProperties p;
    const CodePage cp = c.shiftJis ? CodePage::ShiftJis() : CodePage::SingleByte();
    ASSERT_EQ(ReadLinkInto(p, c.path, links, cp), 0);
    EXPECT_EQ(p.SCDir(), c.scDir);
    EXPECT_EQ(p.SCName(), c.scName);
    EXPECT_EQ(links.calls.at(2), "Load " + c.path);
  }
}

SCMakeProperties BackupProperties() {
  SCMakeProperties p;
  p.SetSCDir("C:\\Links");
  p.SetSCName("Backup");
  p.SetLinkPath("E:\\Backup");
  p.SetWorkDir("E:\\");
  p.SetWndState(WNDSTATE::Minimize);
  p.SetSCKey(0x4000 + 0x8000 + 75);
  p.SetIconPath("C:\\icons.dll");
  p.SetIconNo(4);
  p.SetArgument("-a \"b c\"");
  return p;
}

const Calls kBackupSetters = {
    "SetPath E:\\Backup", "SetWorkingDirectory E:\\",        "SetShowCmd 7",
    "SetHotkey 0x064B",   "SetIconLocation C:\\icons.dll,4", "SetArguments -a \"b c\"",
};

Calls Concat(std::initializer_list<Calls> parts) {
  Calls all;
  for (const Calls& part : parts)
    all.insert(all.end(), part.begin(), part.end());
  return all;
}

TEST(SCMakeMakeLink, SetsEveryFieldInOrderAndSaves) {
  FakeShellLinks links;
  SCMakeProperties p = BackupProperties();
  EXPECT_EQ(MakeLinkFrom(p, links), kLinkOk);
  EXPECT_EQ(links.calls, Concat({{"Create"},
                                 kBackupSetters,
                                 {"QueryFile", "Save C:\\Links\\Backup.lnk remember",
                                  "Release file", "Release link"}}));
  EXPECT_EQ(links.live, 0);
  EXPECT_EQ(p, BackupProperties());
}

TEST(SCMakeMakeLink, ReturnsTheResultOfTheLastStepPerformed) {
  struct Case {
    const char* what;
    void (*arrange)(FakeShellLinks&);
    LinkResult result;
    Calls calls;
  };
  const Calls saved = {"QueryFile", "Save C:\\Links\\Backup.lnk remember", "Release file",
                       "Release link"};
  const Case cases[] = {
      {"create fails", [](FakeShellLinks& l) { l.createResult = kFail; }, kFail, {"Create"}},
      {"create gives no object",
       [](FakeShellLinks& l) { l.createGivesNoObject = true; },
       kLinkNoObject,
       {"Create"}},
      {"no file interface", [](FakeShellLinks& l) { l.queryResult = kNoInterface; }, kNoInterface,
       Concat({{"Create"}, kBackupSetters, {"QueryFile", "Release link"}})},
      {"save fails", [](FakeShellLinks& l) { l.saveResult = kNotFound; }, kNotFound,
       Concat({{"Create"}, kBackupSetters, saved})},
      {"save succeeds with S_FALSE", [](FakeShellLinks& l) { l.saveResult = kFalse; }, kFalse,
       Concat({{"Create"}, kBackupSetters, saved})},
      {"failing setters are not looked at", [](FakeShellLinks& l) { l.setterResult = kFail; },
       kLinkOk, Concat({{"Create"}, kBackupSetters, saved})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeShellLinks links;
    c.arrange(links);
    SCMakeProperties p = BackupProperties();
    EXPECT_EQ(MakeLinkFrom(p, links), c.result);
    EXPECT_EQ(links.calls, c.calls);
    EXPECT_EQ(links.live, 0);
  }
}

TEST(SCMakeMakeLink, NeedsNameFolderAndTarget) {
  const std::pair<const char*, void (*)(SCMakeProperties&)> cases[] = {
      {"SCName", [](SCMakeProperties& p) { p.SetSCName(""); }},
      {"SCDir", [](SCMakeProperties& p) { p.SetSCDir(""); }},
      {"LinkPath", [](SCMakeProperties& p) { p.SetLinkPath(""); }},
  };
  for (const auto& [what, clear] : cases) {
    SCOPED_TRACE(what);
    FakeShellLinks links;
    SCMakeProperties p = BackupProperties();
    // A hot key without a key would be cleared by a make that went on.
    p.SetHotkeyWord(0x0600);
    clear(p);
    const SCMakeProperties before = p;
    EXPECT_EQ(MakeLinkFrom(p, links), -1);
    EXPECT_EQ(links.calls, Calls{});
    EXPECT_EQ(p, before);
  }
}

TEST(SCMakeMakeLink, PassesEmptyTextsAndJoinsThePathAsGiven) {
  FakeShellLinks links;
  SCMakeProperties p;
  p.SetSCDir("C:\\");
  p.SetSCName("x");
  p.SetLinkPath("C:\\target");
  EXPECT_EQ(MakeLinkFrom(p, links), kLinkOk);
  // The root keeps its backslash in SCDir, and the join adds another; the
  // file system reads "C:\\x.lnk" as C:\x.lnk.
  EXPECT_EQ(links.calls,
            (Calls{"Create", "SetPath C:\\target", "SetWorkingDirectory ", "SetShowCmd 0",
                   "SetHotkey 0x0000", "SetIconLocation ,0", "SetArguments ", "QueryFile",
                   "Save C:\\\\x.lnk remember", "Release file", "Release link"}));
}

TEST(SCMakeMakeLink, HotkeyWordWithoutAKeyIsCleared) {
  const std::pair<std::uint16_t, std::uint16_t> cases[] = {
      {0x0600, 0x0000}, {0x0100, 0x0000}, {0x0641, 0x0641}, {0x0041, 0x0041}, {0x0000, 0x0000}};
  for (const auto& [word, written] : cases) {
    SCOPED_TRACE(Hex(word));
    FakeShellLinks links;
    SCMakeProperties p = BackupProperties();
    p.SetHotkeyWord(word);
    ASSERT_EQ(MakeLinkFrom(p, links), kLinkOk);
    EXPECT_EQ(links.calls.at(4), "SetHotkey " + Hex(written));
    EXPECT_EQ(Hex(p.HotkeyWord()), Hex(written));
  }
}

TEST(SCMakeMakeLink, ClearsTheHotkeyEvenWhenCreateFails) {
  FakeShellLinks links;
  links.createResult = kFail;
  SCMakeProperties p = BackupProperties();
  p.SetHotkeyWord(0x0600);
  EXPECT_EQ(MakeLinkFrom(p, links), kFail);
  EXPECT_EQ(p.HotkeyWord(), 0);
}

TEST(SCMakeMakeLink, ReadThenMakeWritesTheSameFields) {
  FakeShellLinks links;
  links.file = BackupLink();
  SCMakeProperties p;
  ASSERT_EQ(ReadLinkInto(p, "C:\\Links\\Backup.lnk", links, CodePage::SingleByte()), 0);
  links.calls.clear();
  ASSERT_EQ(MakeLinkFrom(p, links), kLinkOk);
  EXPECT_EQ(
      links.calls,
      (Calls{"Create", "SetPath E:\\Backup", "SetWorkingDirectory E:\\", "SetShowCmd 3",
             "SetHotkey 0x064B", "SetIconLocation C:\\icons.dll,4", "SetArguments -a \"b c\"",
             "QueryFile", "Save C:\\Links\\Backup.lnk remember", "Release file", "Release link"}));
}

TEST(SCMakeRegistration, GoesOnTheSamplesPage) {
  std::vector<std::pair<std::string, std::string>> registered;
  RegisterSCMake([&](std::string_view page, std::string_view className) {
    registered.emplace_back(page, className);
  });
  EXPECT_EQ(registered, (std::vector<std::pair<std::string, std::string>>{{"Samples", "TSCMake"}}));
}

}  // namespace
}  // namespace kavri
