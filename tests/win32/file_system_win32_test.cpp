#include "platform/win32/file_system.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/error.h"
#include "win32/temp_dir.h"

namespace kavri {
namespace {

using testing::Exists;
using testing::Narrow;
using testing::TempDir;
using testing::WriteWholeFile;

TEST(FileSystemWin32, ClassesFoldersAndFiles) {
  TempDir temp;
  ASSERT_TRUE(WriteWholeFile(temp.Path(L"file.txt"), "x"));
  Win32FileSystem fs;
  EXPECT_TRUE(fs.IsFolder(Narrow(temp.Dir())));
  EXPECT_FALSE(fs.IsFile(Narrow(temp.Dir())));
  EXPECT_TRUE(fs.IsFile(Narrow(temp.Path(L"file.txt"))));
  EXPECT_FALSE(fs.IsFolder(Narrow(temp.Path(L"file.txt"))));
  EXPECT_FALSE(fs.IsFile(Narrow(temp.Path(L"missing"))));
  EXPECT_FALSE(fs.IsFolder(Narrow(temp.Path(L"missing"))));
}

// Many items of one folder are classed from one listing of it; the answers
// must be exactly those of asking for each.
TEST(FileSystemWin32, ClassingManyItemsAtOnceAgreesWithAskingForEach) {
  TempDir temp;
  for (int i = 0; i < 30; ++i) {
    const std::wstring name = L"Entry" + std::to_wstring(i);
    if (i % 3 == 0) {
      ASSERT_TRUE(CreateDirectoryW(temp.Path(name).c_str(), nullptr));
    } else {
      ASSERT_TRUE(WriteWholeFile(temp.Path(name + L".txt"), "x"));
    }
  }
  ASSERT_TRUE(CreateDirectoryW(temp.Path(L"A Long Folder Name").c_str(), nullptr));
  wchar_t shortName[MAX_PATH] = {};
  GetShortPathNameW(temp.Path(L"A Long Folder Name").c_str(), shortName, MAX_PATH);
  LineList paths;
  for (int i = 0; i < 30; ++i) {
    const std::string name = "Entry" + std::to_string(i);
    paths.push_back(Narrow(temp.Dir()) + (i % 3 == 0 ? name : name + ".txt"));
    paths.push_back(Narrow(temp.Dir()) + (i % 2 ? "ENTRY" + std::to_string(i) : "entry" + std::to_string(i)));
  }
  paths.push_back(Narrow(temp.Dir()) + "missing");
  paths.push_back(Narrow(temp.Dir()) + "Entry0.");
  paths.push_back(Narrow(shortName));
  paths.push_back(Narrow(temp.Dir()) + "A Long Folder Name");
  paths.push_back(Narrow(temp.Dir()) + "Entry*");
  for (int i = 0; i < 20; ++i) {
    paths.push_back(Narrow(temp.Path(L"no such folder\\")) + std::to_string(i));
  }
  Win32FileSystem fs;
  std::vector<bool> one;
  for (const std::string& path : paths) one.push_back(fs.IsFolder(path));
  EXPECT_EQ(fs.AreFolders(paths), one);
  // Ten folders, each named exactly and in other case, then "Entry0." (the
  // system strips the dot), the short name and the long name of the last.
  EXPECT_EQ(std::count(one.begin(), one.end(), true), 10 + 10 + 3);
}

TEST(FileSystemWin32, FoldersPastMaxPathAreFolders) {
  TempDir temp;
  std::wstring deep = L"\\\\?\\" + temp.Dir();
  for (int i = 0; i < 6; ++i) {
    deep += std::wstring(60, static_cast<wchar_t>(L'a' + i)) + L"\\";
    ASSERT_TRUE(CreateDirectoryW(deep.c_str(), nullptr));
  }
  const std::string path = Narrow(deep.substr(4, deep.size() - 5));
  ASSERT_GT(path.size(), static_cast<std::size_t>(MAX_PATH));
  Win32FileSystem fs;
  EXPECT_TRUE(fs.IsFolder(path));
  EXPECT_FALSE(fs.IsFile(path));
  EXPECT_EQ(fs.AreFolders({path}), std::vector<bool>{true});
}

TEST(FileSystemWin32, ReadsWholeFilesAndNothingForAMissingOne) {
  TempDir temp;
  std::string big(200 * 1024, 'a');
  big[123456] = '\0';
  ASSERT_TRUE(WriteWholeFile(temp.Path(L"big"), big));
  Win32FileSystem fs;
  EXPECT_EQ(fs.ReadFile(Narrow(temp.Path(L"big"))), big);
  EXPECT_EQ(fs.ReadFile(Narrow(temp.Path(L"missing"))), std::nullopt);
  EXPECT_EQ(fs.ReadFile(Narrow(temp.Path(L"no folder\\missing"))), std::nullopt);
}

TEST(FileSystemWin32, WriteFailureIsAnError) {
  TempDir temp;
  Win32FileSystem fs;
  EXPECT_THROW(fs.WriteFile(Narrow(temp.Path(L"no folder\\tmp.bat")), "x"), Error);
  CreateDirectoryW(temp.Path(L"tmp.bat").c_str(), nullptr);
  EXPECT_THROW(fs.WriteFile(Narrow(temp.Path(L"tmp.bat")), "x"), Error);
}

TEST(FileSystemWin32, ReplaceContentsSwapsTheWholeFile) {
  TempDir temp;
  const std::string path = Narrow(temp.Path(L"kavri.ini"));
  Win32FileSystem fs;
  fs.ReplaceContents(path, "first\r\n");
  fs.ReplaceContents(path, "second\r\n");
  EXPECT_EQ(fs.ReadFile(path), "second\r\n");
  EXPECT_FALSE(Exists(temp.Path(L"kavri.ini.new")));
}

TEST(FileSystemWin32, FailedReplaceLeavesTheOldFileAndNoTemporary) {
  TempDir temp;
  const std::string path = Narrow(temp.Path(L"kavri.ini"));
  ASSERT_TRUE(WriteWholeFile(temp.Path(L"kavri.ini"), "old\r\n"));
  Win32FileSystem fs;
  {
    // Another program holds the file without letting it be replaced.
    HANDLE held = CreateFileW(temp.Path(L"kavri.ini").c_str(), GENERIC_READ, FILE_SHARE_READ,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_THROW(fs.ReplaceContents(path, "new\r\n"), Error);
    CloseHandle(held);
  }
  EXPECT_EQ(fs.ReadFile(path), "old\r\n");
  EXPECT_FALSE(Exists(temp.Path(L"kavri.ini.new")));

  // The temporary cannot be made: a folder stands in its place.
  ASSERT_TRUE(CreateDirectoryW(temp.Path(L"kavri.ini.new").c_str(), nullptr));
  EXPECT_THROW(fs.ReplaceContents(path, "new\r\n"), Error);
  EXPECT_EQ(fs.ReadFile(path), "old\r\n");
}

TEST(FileSystemWin32, MoveAndMakeFolderReportFailure) {
  TempDir temp;
  Win32FileSystem fs;
  EXPECT_TRUE(fs.MakeFolder(Narrow(temp.Path(L"A"))));
  EXPECT_FALSE(fs.MakeFolder(Narrow(temp.Path(L"A"))));
  EXPECT_FALSE(fs.MakeFolder(Narrow(temp.Path(L"missing\\B"))));
  EXPECT_FALSE(fs.MakeFolder(""));
  ASSERT_TRUE(WriteWholeFile(temp.Path(L"a.txt"), "x"));
  EXPECT_TRUE(fs.Move(Narrow(temp.Path(L"a.txt")), Narrow(temp.Path(L"A\\b.txt"))));
  EXPECT_TRUE(Exists(temp.Path(L"A\\b.txt")));
  EXPECT_FALSE(fs.Move(Narrow(temp.Path(L"a.txt")), Narrow(temp.Path(L"c.txt"))));
}

}  // namespace
}  // namespace kavri
