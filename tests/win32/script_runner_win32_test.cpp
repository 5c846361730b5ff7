#include "transfer/script_runner_win32.h"

#include <gtest/gtest.h>

#include "platform/error.h"
#include "platform/win32/file_system.h"
#include "platform/win32/oem_converter.h"
#include "platform/win32/text.h"
#include "transfer/script.h"
#include "win32/temp_dir.h"
#include "win32/window_helpers.h"

namespace kavri {
namespace {

using testing::Exists;
using testing::Narrow;
using testing::TempDir;
using testing::WriteWholeFile;

bool WaitForScripts(ProcessScriptRunner& runner) {
  return testing::PumpUntil([&] { return runner.RunningScripts().empty(); },
                            std::chrono::seconds(30));
}

TEST(ScriptRunner, CommandLineQuotesThePathAndSwitchesDelayedExpansionOff) {
  EXPECT_EQ(ScriptCommandLine("C:\\windows\\system32\\cmd.exe", "C:\\Program Files\\k\\tmp.bat"),
            "\"C:\\windows\\system32\\cmd.exe\" /V:OFF /C \"\"C:\\Program Files\\k\\tmp.bat\"\"");
}

TEST(ScriptRunner, RunsAScriptInAFolderWithBlanksAndWatchesIt) {
  TempDir temp;
  CreateDirectoryW(temp.Path(L"Program Files").c_str(), nullptr);
  // A program named after the first word of the folder must never start.
  WriteWholeFile(temp.Path(L"Program.bat"), "ECHO wrong> \"" + Narrow(temp.Path(L"wrong")) + "\"\r\n");
  const std::string script = Narrow(temp.Path(L"Program Files\\tmp.bat"));
  WriteWholeFile(temp.Path(L"Program Files\\tmp.bat"),
                 "ECHO !x! 100%%> \"" + Narrow(temp.Path(L"marker")) + "\"\r\n");
  ProcessScriptRunner runner;
  runner.Start(script);
  // Either still watched as running, or already done.
  EXPECT_TRUE(runner.RunningScripts().count(script) == 1 || Exists(temp.Path(L"marker")));
  ASSERT_TRUE(WaitForScripts(runner));
  ASSERT_TRUE(Exists(temp.Path(L"marker")));
  EXPECT_FALSE(Exists(temp.Path(L"wrong")));
  HANDLE file = CreateFileW(temp.Path(L"marker").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            0, nullptr);
  char text[64] = {};
  DWORD read = 0;
  ReadFile(file, text, sizeof(text) - 1, &read, nullptr);
  CloseHandle(file);
  // Delayed expansion is off, so "!x!" stays; "%%" is one "%".
  EXPECT_EQ(std::string(text, read), "!x! 100%\r\n");
}

TEST(ScriptRunner, ScriptsFindTheProgramFolderFirstOnPath) {
  TempDir temp;
  // A stand-in for deltree.exe: a script named like a command beside tmp.bat.
  WriteWholeFile(temp.Path(L"KAVRITOOL.BAT"),
                 "ECHO found> \"" + Narrow(temp.Path(L"found")) + "\"\r\n");
  WriteWholeFile(temp.Path(L"tmp.bat"), "CALL KAVRITOOL\r\n");
  ProcessScriptRunner runner;
  char original[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, original);
  SetCurrentDirectoryA("C:\\");
  runner.Start(Narrow(temp.Path(L"tmp.bat")));
  SetCurrentDirectoryA(original);
  ASSERT_TRUE(WaitForScripts(runner));
  EXPECT_TRUE(Exists(temp.Path(L"found")));
}

TEST(ScriptRunner, StartFailureIsAnError) {
  ProcessScriptRunner runner;
  SetEnvironmentVariableA("ComSpec", "C:\\no such folder\\cmd.exe");
  EXPECT_THROW(runner.Start("C:\\x.bat"), Error);
  SetEnvironmentVariableA("ComSpec", nullptr);
  EXPECT_TRUE(runner.RunningScripts().empty());
}

// The interpreter reads "%" and the OEM page; both reach the right file only
// when the script is written the way kavri writes it.
TEST(ScriptRunner, PercentAndAccentedPathsReachTheRightFiles) {
  if (GetACP() != 1252 || GetOEMCP() != 437) GTEST_SKIP() << "needs the 1252/437 pair";
  TempDir temp;
  const std::wstring names[] = {L"a%x%b.txt", L"ab.txt", L"r\u00e9sum\u00e9.txt", L"resume.txt",
                                L"r\u201asum\u201a.txt"};
  for (const std::wstring& name : names) ASSERT_TRUE(WriteWholeFile(temp.Path(name), "x"));
  SetEnvironmentVariableW(L"x", L"");

  Win32FileSystem fs;
  Win32OemConverter oem;
  ProcessScriptRunner runner;
  const CodePage cp = SystemCodePage();
  const LineList items = {Narrow(temp.Path(L"a%x%b.txt")),
                          Narrow(temp.Path(L"r\u00e9sum\u00e9.txt"))};
  WriteAndLaunchScript(TransferKind::Delete, items, "", Narrow(temp.Path(L"tmp.bat")),
                       {fs, oem, runner, cp});
  ASSERT_TRUE(WaitForScripts(runner));
  EXPECT_FALSE(Exists(temp.Path(L"a%x%b.txt")));
  EXPECT_TRUE(Exists(temp.Path(L"ab.txt")));
  EXPECT_FALSE(Exists(temp.Path(L"r\u00e9sum\u00e9.txt")));
  EXPECT_TRUE(Exists(temp.Path(L"resume.txt")));
  // 0xE9 written as ANSI would read as "Θ" in 437; 0x82 (OEM é) as "‚" in 1252.
  EXPECT_TRUE(Exists(temp.Path(L"r\u201asum\u201a.txt")));
}

TEST(ScriptRunner, PathTheOemPageCannotHoldStartsNothing) {
  if (GetACP() != 1252 || GetOEMCP() != 437) GTEST_SKIP() << "needs the 1252/437 pair";
  TempDir temp;
  Win32FileSystem fs;
  Win32OemConverter oem;
  ProcessScriptRunner runner;
  const CodePage cp = SystemCodePage();
  // "€" (0x80 in 1252) has no place in 437.
  ASSERT_TRUE(WriteWholeFile(temp.Path(L"tmp.bat"), "REM older\r\n"));
  EXPECT_THROW(WriteAndLaunchScript(TransferKind::Delete, {Narrow(temp.Path(L"price \u20ac.txt"))},
                                    "", Narrow(temp.Path(L"tmp.bat")), {fs, oem, runner, cp}),
               Error);
  EXPECT_TRUE(runner.RunningScripts().empty());
  EXPECT_EQ(fs.ReadFile(Narrow(temp.Path(L"tmp.bat"))), "REM older\r\n");
}

TEST(ScriptRunner, SecondScriptWhileTheFirstRunsGoesToTheNextName) {
  TempDir temp;
  Win32FileSystem fs;
  Win32OemConverter oem;
  ProcessScriptRunner runner;
  const CodePage cp = SystemCodePage();
  const std::string bat = Narrow(temp.Path(L"tmp.bat"));
  // The first script waits until the test lets it go.
  const std::string gate = Narrow(temp.Path(L"gate"));
  fs.WriteFile(bat, ":WAIT\r\nIF NOT EXIST \"" + gate + "\" GOTO WAIT\r\nECHO one> \"" +
                        Narrow(temp.Path(L"one")) + "\"\r\n");
  runner.Start(bat);
  ASSERT_TRUE(WriteWholeFile(temp.Path(L"two.txt"), "x"));
  WriteAndLaunchScript(TransferKind::Delete, {Narrow(temp.Path(L"two.txt"))}, "", bat,
                       {fs, oem, runner, cp});
  EXPECT_TRUE(Exists(temp.Path(L"tmp2.bat")));
  ASSERT_TRUE(testing::PumpUntil([&] { return !Exists(temp.Path(L"two.txt")); },
                                 std::chrono::seconds(30)));
  ASSERT_TRUE(WriteWholeFile(temp.Path(L"gate"), ""));
  ASSERT_TRUE(WaitForScripts(runner));
  EXPECT_TRUE(Exists(temp.Path(L"one")));
  // With nothing running, the next script is tmp.bat again.
  EXPECT_EQ(ChooseScriptPath(bat, runner.RunningScripts(), cp), bat);
}

}  // namespace
}  // namespace kavri
