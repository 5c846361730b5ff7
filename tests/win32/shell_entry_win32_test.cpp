// The context-menu entry in a real registry, and the menu caption that the
// window shows for it at start.

#include <gtest/gtest.h>

#include "mainwindow/kvmain_win32.h"
#include "mainwindow/menu_win32.h"
#include "mainwindow/module_globals.h"
#include "platform/win32/registry.h"
#include "unit/fakes.h"
#include "utilities/shell_entry.h"

namespace kavri {
namespace {

std::string MenuCaption(HWND window, const char* item) {
  char caption[128] = {};
  GetMenuStringA(GetMenu(window), MenuIdOf(item), caption, sizeof(caption), MF_BYCOMMAND);
  return caption;
}

class ShellEntryWin32Test : public ::testing::Test {
 protected:
  void SetUp() override { Clean(); }
  void TearDown() override { Clean(); }
  static void Clean() {
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "*\\shell\\kavri");
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "folder\\shell\\kavri");
  }
  Win32Registry registry_;
};

TEST_F(ShellEntryWin32Test, AddThenRemoveWritesAndDeletesTheExactEntries) {
  testing::FakeDialogs dialogs;
  dialogs.answers = {kIdOk, kIdOk};
  ASSERT_EQ(SwitchShellEntry(registry_, dialogs, "C:\\Tools\\kavri.exe"), "Remove from &shell");
  for (const char* key : {"*\\shell\\kavri\\command", "folder\\shell\\kavri\\command"}) {
    SCOPED_TRACE(key);
    char value[256] = {};
    DWORD size = sizeof(value);
    DWORD type = 0;
    ASSERT_EQ(RegGetValueA(HKEY_CLASSES_ROOT, key, nullptr, RRF_RT_ANY, &type, value, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::string(value), "\"C:\\Tools\\kavri.exe\" \"%1\"");
  }
  // The verb keys themselves hold no values.
  HKEY verb = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, "*\\shell\\kavri", 0, KEY_READ, &verb), ERROR_SUCCESS);
  DWORD values = 99;
  RegQueryInfoKeyA(verb, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                   nullptr, nullptr, nullptr);
  RegCloseKey(verb);
  EXPECT_EQ(values, 0u);

  ASSERT_EQ(SwitchShellEntry(registry_, dialogs, "C:\\Tools\\kavri.exe"), "Add to &shell");
  EXPECT_FALSE(registry_.KeyExists(RegistryRoot::ClassesRoot, "*\\shell\\kavri"));
  EXPECT_FALSE(registry_.KeyExists(RegistryRoot::ClassesRoot, "folder\\shell\\kavri"));
  EXPECT_TRUE(registry_.KeyExists(RegistryRoot::ClassesRoot, "*\\shell"));
}

TEST_F(ShellEntryWin32Test, StartUpCaptionFollowsTheEntry) {
  {
    TKVMain window(GetModuleHandleA(nullptr));
    window.Construct({});
    EXPECT_EQ(MenuCaption(window.Handle(), "AddStartmenu1"), "Add to &shell");
  }
  registry_.WriteDefault(RegistryRoot::ClassesRoot, "*\\shell\\kavri\\command", "x");
  {
    TKVMain window(GetModuleHandleA(nullptr));
    window.Construct({});
    EXPECT_EQ(MenuCaption(window.Handle(), "AddStartmenu1"), "Remove from &shell");
    EXPECT_EQ(MenuCaption(window.Handle(), "New1"), "&New\tF1");
    EXPECT_EQ(MenuCaption(window.Handle(), "Mkdir1"), "&Mkdir\tShift+Ins");
  }
}

TEST_F(ShellEntryWin32Test, DesktopFolderComesFromTheShellFoldersKey) {
  const auto desktop = registry_.ReadText(
      RegistryRoot::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
      "Desktop");
  TKVMain window(GetModuleHandleA(nullptr));
  window.Construct({});
  EXPECT_EQ(DesktopDir, desktop.value_or("") + "\\");
}

}  // namespace
}  // namespace kavri
