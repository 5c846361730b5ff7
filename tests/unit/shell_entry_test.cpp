#include "utilities/shell_entry.h"

#include <gtest/gtest.h>

#include "unit/fakes.h"

namespace kavri {
namespace {

using namespace testing;

constexpr RegistryRoot kRoot = RegistryRoot::ClassesRoot;

TEST(ShellEntry, CommandTemplate) {
  EXPECT_EQ(ShellCommandTemplate("C:\\Tools\\kavri.exe"), "\"C:\\Tools\\kavri.exe\" \"%1\"");
}

TEST(ShellEntry, AddThenRemoveSwitchesBothEntriesAndTheCaption) {
  FakeRegistry registry;
  FakeDialogs dialogs;
  dialogs.answers = {kIdOk, kIdOk};
  EXPECT_FALSE(ShellEntryPresent(registry));

  EXPECT_EQ(SwitchShellEntry(registry, dialogs, "C:\\Tools\\kavri.exe"), "Remove from &shell");
  EXPECT_EQ(registry.ReadText(kRoot, "*\\shell\\kavri\\command", ""),
            "\"C:\\Tools\\kavri.exe\" \"%1\"");
  EXPECT_EQ(registry.ReadText(kRoot, "folder\\shell\\kavri\\command", ""),
            "\"C:\\Tools\\kavri.exe\" \"%1\"");
  EXPECT_TRUE(ShellEntryPresent(registry));
  EXPECT_EQ(dialogs.shown.back(),
            (FakeDialogs::Shown{"Add kavri to popup menu of shell?", "kavri", kMbOkCancel}));

  EXPECT_EQ(SwitchShellEntry(registry, dialogs, "C:\\Tools\\kavri.exe"), "Add to &shell");
  EXPECT_EQ(dialogs.shown.back(),
            (FakeDialogs::Shown{"Remove kavri from popup menu of shell?", "kavri", kMbOkCancel}));
  EXPECT_FALSE(registry.KeyExists(kRoot, "*\\shell\\kavri"));
  EXPECT_FALSE(registry.KeyExists(kRoot, "folder\\shell\\kavri"));
  EXPECT_TRUE(registry.KeyExists(kRoot, "*\\shell"));
  EXPECT_FALSE(ShellEntryPresent(registry));
}

TEST(ShellEntry, CancelChangesNothing) {
  FakeRegistry registry;
  FakeDialogs dialogs;
  dialogs.answers = {2};
  EXPECT_EQ(SwitchShellEntry(registry, dialogs, "C:\\k.exe"), std::nullopt);
  EXPECT_TRUE(registry.keys.empty());

  registry.WriteDefault(kRoot, "*\\shell\\kavri\\command", "x");
  dialogs.answers = {2};
  EXPECT_EQ(SwitchShellEntry(registry, dialogs, "C:\\k.exe"), std::nullopt);
  EXPECT_TRUE(registry.KeyExists(kRoot, "*\\shell\\kavri\\command"));
}

TEST(ShellEntry, KeyWithoutItsCommandOffersToAdd) {
  // The start-up check looks for the key, the click for its command subkey.
  FakeRegistry registry;
  registry.keys.insert({kRoot, "*\\shell\\kavri"});
  EXPECT_TRUE(ShellEntryPresent(registry));
  FakeDialogs dialogs;
  dialogs.answers = {kIdOk};
  EXPECT_EQ(SwitchShellEntry(registry, dialogs, "C:\\k.exe"), "Remove from &shell");
  EXPECT_EQ(dialogs.shown.front().text, "Add kavri to popup menu of shell?");
}

}  // namespace
}  // namespace kavri
