#include "scmake/scmake_win32.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/handles.h"

namespace kavri {
namespace {

bool RunningUnderWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA entry;
  FindHandle find(FindFirstFileA((folder + "\\*").c_str(), &entry));
  if (find) {
    do {
      const std::string name = entry.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder + "\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(find.Get(), &entry));
  }
  find.Release();
  RemoveDirectoryA(folder.c_str());
}

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<unsigned char> FileBytes(const std::string& path) {
  std::vector<unsigned char> bytes;
  KernelHandle file(
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) return bytes;
  bytes.resize(GetFileSize(file.Get(), nullptr));
  DWORD read = 0;
  ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  bytes.resize(read);
  return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  KernelHandle file(
      CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  ASSERT_TRUE(file);
  DWORD written = 0;
  ASSERT_TRUE(
      WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
}

// Little-endian fields of the 76-byte shortcut file header.
std::uint32_t HeaderField(const std::vector<unsigned char>& bytes, std::size_t offset,
                          std::size_t size) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < size; ++i)
    value |= std::uint32_t{bytes.at(offset + i)} << (8 * i);
  return value;
}

class SCMakeWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
    // Wine hands out the same small process ids run after run, so the id
    // alone would meet the folder of a run that was killed.
    const std::string base =
        std::string(temp) + "kavri-scmake-" + std::to_string(GetCurrentProcessId()) + "-";
    for (int n = 0; n < 100 && folder_.empty(); ++n) {
      if (CreateDirectoryA((base + std::to_string(n)).c_str(), nullptr)) {
        folder_ = base + std::to_string(n);
      }
    }
    ASSERT_FALSE(folder_.empty());
    target_ = folder_ + "\\target";
    work_ = folder_ + "\\work";
    ASSERT_TRUE(CreateDirectoryA(target_.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(work_.c_str(), nullptr));
  }
  void TearDown() override {
    if (!folder_.empty()) RemoveTree(folder_);
  }

  // Writes folder\Backup.lnk with every property set; returns its path.
  std::string MakeBackupLink() {
    TSCMake maker;
    maker.SetSCDir(folder_);
    maker.SetSCName("Backup");
    maker.SetLinkPath(target_);
    maker.SetWorkDir(work_);
    maker.SetWndState(WNDSTATE::Maximize);
    maker.SetSCKey(0x4000 + 0x8000 + 'K');
    maker.SetIconPath("C:\\windows\\system32\\shell32.dll");
    maker.SetIconNo(3);
    maker.SetArgument("-x \"a b\"");
    EXPECT_EQ(maker.MakeLink(), S_OK);
    return folder_ + "\\Backup.lnk";
  }

  std::string folder_;
  std::string target_;
  std::string work_;
};

TEST_F(SCMakeWin32Test, MadeLinkReadsBack) {
  // The reader comes first: the maker's CoUninitialize must not take COM
  // away from a component that is still alive.
  TSCMake reader;
  const std::string link = MakeBackupLink();
  ASSERT_TRUE(FileExists(link));

  // The file itself holds what was set, on every platform.
  const std::vector<unsigned char> bytes = FileBytes(link);
  ASSERT_GE(bytes.size(), 0x4Cu);
  EXPECT_EQ(HeaderField(bytes, 0x00, 4), 0x4Cu);
  EXPECT_EQ(HeaderField(bytes, 0x38, 4), 3u);       // icon index
  EXPECT_EQ(HeaderField(bytes, 0x3C, 4), 3u);       // show command, SW_SHOWMAXIMIZED
  EXPECT_EQ(HeaderField(bytes, 0x40, 2), 0x064Bu);  // hot key, Ctrl+Alt+K

  ASSERT_EQ(reader.ReadLink(link), 0);
  EXPECT_EQ(reader.SCDir(), folder_);
  EXPECT_EQ(reader.SCName(), "Backup");
  EXPECT_EQ(reader.LinkPath(), target_);
  EXPECT_EQ(reader.WorkDir(), work_);
  EXPECT_EQ(reader.HotkeyWord(), 0x064B);
  EXPECT_EQ(reader.SCKey(), 0x4000 + 0x8000 + 'K');
  EXPECT_EQ(reader.IconPath(), "C:\\windows\\system32\\shell32.dll");
  EXPECT_EQ(reader.IconNo(), 3);
  EXPECT_EQ(reader.Argument(), "-x \"a b\"");
  if (RunningUnderWine()) {
    // Wine 8 writes the show command (3 in the header above) but does not
    // restore it on load: GetShowCmd gives SW_SHOWNORMAL (1), read as Normal.
    EXPECT_EQ(reader.ShowCommand(), 1);
    EXPECT_EQ(reader.WndState(), WNDSTATE::Normal);
  } else {
    EXPECT_EQ(reader.ShowCommand(), 3);
    EXPECT_EQ(reader.WndState(), WNDSTATE::Maximize);
  }
}

TEST_F(SCMakeWin32Test, UnreadableLinksLeaveEveryProperty) {
  const std::string link = MakeBackupLink();
  const std::string upper = folder_ + "\\Upper.LNK";
  ASSERT_TRUE(CopyFileA(link.c_str(), upper.c_str(), FALSE));
  const std::string text = folder_ + "\\x.lnk";
  WriteFileBytes(text, "This is not a shortcut.\r\n");

  TSCMake reader;
  ASSERT_EQ(reader.ReadLink(link), 0);
  const SCMakeProperties before = reader;
  for (const std::string& path : {upper, text, folder_ + "\\missing.lnk", target_}) {
    SCOPED_TRACE(path);
    EXPECT_EQ(reader.ReadLink(path), -1);
    EXPECT_EQ(static_cast<const SCMakeProperties&>(reader), before);
  }
}

TEST_F(SCMakeWin32Test, MakeLinkWritesNothingWithoutAName) {
  TSCMake maker;
  maker.SetSCDir(folder_);
  maker.SetLinkPath(target_);
  EXPECT_EQ(maker.MakeLink(), -1);
  EXPECT_FALSE(FileExists(folder_ + "\\.lnk"));
}

TEST_F(SCMakeWin32Test, PathsPastMaxPathAreRefusedNotCut) {
  // A shortcut path of 259 characters fits the 260 with its terminator; one
  // more does not, and must not be written under a shortened name either.
  const std::size_t room = MAX_PATH - 1 - (folder_.size() + 1) - 4;
  ASSERT_GT(room, 10u);
  TSCMake maker;
  maker.SetSCDir(folder_);
  maker.SetLinkPath(target_);

  const std::string fits(room, 'n');
  maker.SetSCName(fits);
  EXPECT_EQ(maker.MakeLink(), S_OK);
  EXPECT_TRUE(FileExists(folder_ + "\\" + fits + ".lnk"));
  TSCMake reader;
  EXPECT_EQ(reader.ReadLink(folder_ + "\\" + fits + ".lnk"), 0);
  EXPECT_EQ(reader.LinkPath(), target_);

  const std::string tooLong(room + 1, 'n');
  maker.SetSCName(tooLong);
  EXPECT_EQ(maker.MakeLink(), HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE));
  // The name cut to 259 characters would be "nnn…n.ln".
  EXPECT_FALSE(FileExists(folder_ + "\\" + tooLong + ".ln"));
  EXPECT_EQ(reader.ReadLink(folder_ + "\\" + tooLong + ".lnk"), -1);
  EXPECT_EQ(reader.SCName(), fits);
}

TEST_F(SCMakeWin32Test, ShortcutReaderForgetsAnEarlierTarget) {
  const std::string link = MakeBackupLink();
  const std::string upper = folder_ + "\\Upper.LNK";
  ASSERT_TRUE(CopyFileA(link.c_str(), upper.c_str(), FALSE));
  const std::string text = folder_ + "\\x.lnk";
  WriteFileBytes(text, "not a shortcut");

  TSCMake component;
  SCMakeShortcutReader reader(component);
  EXPECT_EQ(reader.ReadTarget(link), target_);
  EXPECT_EQ(reader.ReadTarget(upper), std::nullopt);
  EXPECT_EQ(component.LinkPath(), target_);
  EXPECT_EQ(reader.ReadTarget(text), std::nullopt);
  EXPECT_EQ(reader.ReadTarget(link), target_);
}

// A target the code page cannot spell: the "A" interface gives "?" for
// each such character, which a Delete script would take for a wildcard.
TEST_F(SCMakeWin32Test, ShortcutReaderNeverGivesATargetSpelledWithQuestionMarks) {
  if (GetACP() != 1252) GTEST_SKIP() << "needs a code page without Cyrillic";
  TSCMake component;  // initialises COM for this thread
  SCMakeShortcutReader reader(component);
  const std::wstring wideFolder = std::wstring(folder_.begin(), folder_.end());
  const std::wstring there = wideFolder + L"\\\u0416\u0435\u043d\u0430";
  const std::wstring missing = wideFolder + L"\\\u0416\u0435\u043d\u04302";
  ASSERT_TRUE(CreateDirectoryW(there.c_str(), nullptr));
  for (const auto& [name, target] : {std::pair{L"there.lnk", there}, std::pair{L"missing.lnk", missing}}) {
    IShellLinkW* link = nullptr;
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                              IID_IShellLinkW, reinterpret_cast<void**>(&link)));
    link->SetPath(target.c_str());
    IPersistFile* file = nullptr;
    ASSERT_HRESULT_SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)));
    ASSERT_HRESULT_SUCCEEDED(file->Save((wideFolder + L"\\" + name).c_str(), TRUE));
    file->Release();
    link->Release();
  }
  // Read through the "A" interface, the component itself sees "????".
  ASSERT_EQ(component.ReadLink(folder_ + "\\there.lnk"), 0);
  EXPECT_NE(component.LinkPath().find('?'), std::string::npos) << component.LinkPath();

  // Windows keeps the target in UTF-16 and an existing one comes by its short
  // name, which names the same folder. Wine 8 saves the target only in the
  // code page, so the file itself holds "????" and there is nothing to follow.
  IShellLinkW* link = nullptr;
  ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                            IID_IShellLinkW, reinterpret_cast<void**>(&link)));
  IPersistFile* file = nullptr;
  ASSERT_HRESULT_SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)));
  ASSERT_HRESULT_SUCCEEDED(file->Load((wideFolder + L"\\there.lnk").c_str(), STGM_READ));
  wchar_t stored[MAX_PATH] = {};
  link->GetPath(stored, MAX_PATH, nullptr, 0);
  file->Release();
  link->Release();
  const std::optional<std::string> shortTarget = reader.ReadTarget(folder_ + "\\there.lnk");
  if (std::wstring(stored).find(L'?') != std::wstring::npos) {
    EXPECT_EQ(shortTarget, std::nullopt);
  } else {
    ASSERT_TRUE(shortTarget);
    EXPECT_EQ(shortTarget->find('?'), std::string::npos) << *shortTarget;
    wchar_t longName[MAX_PATH] = {};
    GetLongPathNameW(std::wstring(shortTarget->begin(), shortTarget->end()).c_str(), longName,
                     MAX_PATH);
    EXPECT_EQ(std::wstring(longName), there);
  }
  // A target without a short name cannot be spelled at all: no target.
  EXPECT_EQ(reader.ReadTarget(folder_ + "\\missing.lnk"), std::nullopt);
}

}  // namespace
}  // namespace kavri
