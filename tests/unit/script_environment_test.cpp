#include "transfer/script_environment.h"

#include <gtest/gtest.h>

namespace kavri {
namespace {

std::string Block(std::initializer_list<const char*> entries) {
  std::string block;
  for (const char* entry : entries) block += std::string(entry) + '\0';
  return block + '\0';
}

TEST(ScriptEnvironment, ProgramFolderGoesFirstOnPath) {
  struct Case {
    const char* what;
    std::vector<std::string> entries;
    std::string folder;
    std::string block;
  };
  const Case cases[] = {
      {"existing Path", {"=C:=C:\\", "Path=C:\\windows;C:\\bin", "TEMP=C:\\t"}, "C:\\kavri\\",
       Block({"=C:=C:\\", "Path=C:\\kavri\\;C:\\windows;C:\\bin", "TEMP=C:\\t"})},
      {"upper case", {"PATH=C:\\windows"}, "D:\\k\\", Block({"PATH=D:\\k\\;C:\\windows"})},
      {"empty Path", {"PATH="}, "D:\\k\\", Block({"PATH=D:\\k\\"})},
      {"no Path", {"TEMP=C:\\t"}, "D:\\k\\", Block({"TEMP=C:\\t", "PATH=D:\\k\\"})},
      {"PATHEXT is not PATH", {"PATHEXT=.COM;.EXE"}, "D:\\k\\",
       Block({"PATHEXT=.COM;.EXE", "PATH=D:\\k\\"})},
      {"folder with a semicolon", {"Path=C:\\w"}, "D:\\a;b\\", Block({"Path=\"D:\\a;b\\\";C:\\w"})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(EnvironmentBlockWithPathFirst(c.entries, c.folder), c.block);
  }
}

}  // namespace
}  // namespace kavri
