// Real scripts, written the way kavri writes them and run by the command
// interpreter with the shipped deltree.exe, on real trees.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/code_page.h"
#include "platform/win32/file_system.h"
#include "platform/win32/oem_converter.h"
#include "platform/win32/text.h"
#include "transfer/script.h"
#include "transfer/script_runner_win32.h"
#include "win32/built_programs.h"
#include "win32/temp_dir.h"
#include "win32/window_helpers.h"

namespace kavri {
namespace {

using testing::Narrow;
using testing::TempDir;
using testing::WriteWholeFile;

std::vector<std::wstring> TreeOf(const std::wstring& dir, const std::wstring& relative = L"") {
  std::vector<std::wstring> entries;
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((dir + relative + L"*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return entries;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      entries.push_back(relative + name + L"\\");
      for (const std::wstring& inner : TreeOf(dir, relative + name + L"\\")) {
        entries.push_back(inner);
      }
    } else {
      entries.push_back(relative + name);
    }
  } while (FindNextFileW(find, &found));
  FindClose(find);
  std::sort(entries.begin(), entries.end());
  return entries;
}

DWORD AttributesOf(const std::wstring& path) { return GetFileAttributesW(path.c_str()); }

class TransferScriptTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const wchar_t* dir : {L"prog", L"src", L"src\\Photos", L"src\\Photos\\2024",
                               L"src\\Photos\\empty", L"dest"}) {
      ASSERT_TRUE(CreateDirectoryW(temp_.Path(dir).c_str(), nullptr));
    }
    ASSERT_TRUE(CopyFileW(testing::DeltreeExe().c_str(), temp_.Path(L"prog\\deltree.exe").c_str(),
                          FALSE));
    ASSERT_TRUE(WriteWholeFile(temp_.Path(L"src\\Photos\\2024\\beach.jpg"), "jpg"));
    ASSERT_TRUE(WriteWholeFile(temp_.Path(L"src\\Photos\\hidden.ini"), "ini"));
    ASSERT_TRUE(WriteWholeFile(temp_.Path(L"src\\Photos\\locked.txt"), "ro"));
    ASSERT_TRUE(WriteWholeFile(temp_.Path(L"src\\a.txt"), "a"));
    ASSERT_TRUE(WriteWholeFile(temp_.Path(L"src\\b.txt"), "b"));
    SetFileAttributesW(temp_.Path(L"src\\Photos\\hidden.ini").c_str(),
                       FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    SetFileAttributesW(temp_.Path(L"src\\Photos\\locked.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesW(temp_.Path(L"src\\b.txt").c_str(),
                       FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
  }

  void RunScript(TransferKind kind, const std::vector<std::wstring>& items) {
    LineList ansiItems;
    for (const std::wstring& item : items) ansiItems.push_back(Narrow(temp_.Path(item)));
    const std::string destination = kind == TransferKind::Delete ? "" : Narrow(temp_.Path(L"dest\\"));
    WriteAndLaunchScript(kind, ansiItems, destination, Narrow(temp_.Path(L"prog\\tmp.bat")),
                         {fs_, oem_, runner_, cp_});
    ASSERT_TRUE(testing::PumpUntil([&] { return runner_.RunningScripts().empty(); },
                                   std::chrono::seconds(60)));
  }

  const std::vector<std::wstring> kPhotos = {L"Photos\\",
                                             L"Photos\\2024\\",
                                             L"Photos\\2024\\beach.jpg",
                                             L"Photos\\empty\\",
                                             L"Photos\\hidden.ini",
                                             L"Photos\\locked.txt"};

  TempDir temp_;
  Win32FileSystem fs_;
  Win32OemConverter oem_;
  ProcessScriptRunner runner_;
  CodePage cp_ = SystemCodePage();
};

TEST_F(TransferScriptTest, CopyGivesTheWholeTreeAndLeavesTheSources) {
  const auto sources = TreeOf(temp_.Path(L"src\\"));
  RunScript(TransferKind::Copy, {L"src\\Photos", L"src\\a.txt", L"src\\b.txt"});
  std::vector<std::wstring> expected = kPhotos;
  expected.insert(expected.end(), {L"a.txt", L"b.txt"});
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(TreeOf(temp_.Path(L"dest\\")), expected);
  EXPECT_EQ(TreeOf(temp_.Path(L"src\\")), sources);
  // /K keeps the attributes, /H brings hidden and system files along.
  EXPECT_TRUE(AttributesOf(temp_.Path(L"dest\\Photos\\hidden.ini")) & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_TRUE(AttributesOf(temp_.Path(L"dest\\Photos\\locked.txt")) & FILE_ATTRIBUTE_READONLY);
}

TEST_F(TransferScriptTest, MoveCopiesThenRemovesFoldersAndFiles) {
  RunScript(TransferKind::Move, {L"src\\Photos", L"src\\a.txt"});
  std::vector<std::wstring> expected = kPhotos;
  expected.push_back(L"a.txt");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(TreeOf(temp_.Path(L"dest\\")), expected);
  EXPECT_EQ(TreeOf(temp_.Path(L"src\\")), std::vector<std::wstring>{L"b.txt"});
}

TEST_F(TransferScriptTest, DeleteRemovesFoldersWithEverythingAndFiles) {
  RunScript(TransferKind::Delete, {L"src\\Photos", L"src\\a.txt"});
  EXPECT_EQ(TreeOf(temp_.Path(L"src\\")), std::vector<std::wstring>{L"b.txt"});
}

TEST_F(TransferScriptTest, AVanishedItemIsTreatedAsAFileAndTheRestGoesOn) {
  RunScript(TransferKind::Copy, {L"src\\gone", L"src\\a.txt"});
  EXPECT_EQ(TreeOf(temp_.Path(L"dest\\")), std::vector<std::wstring>{L"a.txt"});
}

}  // namespace
}  // namespace kavri
