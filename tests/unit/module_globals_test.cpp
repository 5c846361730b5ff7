#include "mainwindow/module_globals.h"

#include <gtest/gtest.h>

namespace kavri {
namespace {

TEST(ModuleGlobals, PathsBesideTheProgram) {
  EXPECT_EQ(ProgramPathsFor("C:\\Program Files\\kavri\\kavri.exe", CodePage::SingleByte()),
            (ProgramPaths{"C:\\Program Files\\kavri\\", "C:\\Program Files\\kavri\\tmp.bat",
                          "C:\\Program Files\\kavri\\kavri.ini"}));
  // 表 ends in a backslash byte; the folder part stops after the real one.
  EXPECT_EQ(ProgramPathsFor("C:\\\x95\x5C\\kavri.exe", CodePage::ShiftJis()).exeDir,
            "C:\\\x95\x5C\\");
}

TEST(ModuleGlobals, DesktopDirEndsWithABackslash) {
  EXPECT_EQ(DesktopDirFrom(std::string("C:\\Users\\me\\Desktop")), "C:\\Users\\me\\Desktop\\");
  EXPECT_EQ(DesktopDirFrom(std::nullopt), "\\");
}

}  // namespace
}  // namespace kavri
