#include "transfer/script_environment.h"

#include <gtest/gtest.h>

namespace kavri {
namespace {

const char kNoCurrent[] = "NoDefaultCurrentDirectoryInExePath=1";

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
       Block({"=C:=C:\\", "Path=C:\\kavri\\;C:\\windows;C:\\bin", "TEMP=C:\\t", kNoCurrent})},
      {"upper case", {"PATH=C:\\windows"}, "D:\\k\\",
       Block({"PATH=D:\\k\\;C:\\windows", kNoCurrent})},
      {"empty Path", {"PATH="}, "D:\\k\\", Block({"PATH=D:\\k\\", kNoCurrent})},
      {"no Path", {"TEMP=C:\\t"}, "D:\\k\\", Block({"TEMP=C:\\t", "PATH=D:\\k\\", kNoCurrent})},
      {"PATHEXT is not PATH", {"PATHEXT=.COM;.EXE"}, "D:\\k\\",
       Block({"PATHEXT=.COM;.EXE", "PATH=D:\\k\\", kNoCurrent})},
      {"folder with a semicolon", {"Path=C:\\w"}, "D:\\a;b\\",
       Block({"Path=\"D:\\a;b\\\";C:\\w", kNoCurrent})},
      {"current folder already searched or not", {"nodefaultcurrentdirectoryinexepath=0", "PATH=C:\\w"},
       "D:\\k\\", Block({kNoCurrent, "PATH=D:\\k\\;C:\\w"})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(EnvironmentBlockWithPathFirst(c.entries, std::string_view(c.folder)), c.block);
  }
  // The same with wide characters, as Windows gives them.
  EXPECT_EQ(EnvironmentBlockWithPathFirst(std::vector<std::wstring>{L"Path=C:\\\u00e9"},
                                          std::wstring_view(L"D:\\\u8868\\")),
            std::wstring(L"Path=D:\\\u8868\\;C:\\\u00e9\0NoDefaultCurrentDirectoryInExePath=1\0\0", 54));
}

}  // namespace
}  // namespace kavri
