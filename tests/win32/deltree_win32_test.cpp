// The real deltree.exe, run as a process on trees built in a temporary folder.

#include <windows.h>
#include <winioctl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/text.h"
#include "win32/built_programs.h"

namespace kavri {
namespace {

using testing::DeltreeExe;

std::wstring FolderOf(const std::wstring& path) {
  return path.substr(0, path.find_last_of(L'\\'));
}

// Every file call of the tests takes the "\\?\" form, so paths past 260
// characters work alike.
std::wstring Long(const std::wstring& path) {
  return L"\\\\?\\" + path;
}

DWORD AttributesOf(const std::wstring& path) {
  return GetFileAttributesW(Long(path).c_str());
}

bool Exists(const std::wstring& path) {
  return AttributesOf(path) != INVALID_FILE_ATTRIBUTES;
}

void MakeFolder(const std::wstring& path, DWORD attributes = 0) {
  ASSERT_TRUE(CreateDirectoryW(Long(path).c_str(), nullptr)) << GetLastError();
  if (attributes) {
    ASSERT_TRUE(SetFileAttributesW(Long(path).c_str(), attributes));
  }
}

void MakeFile(const std::wstring& path, DWORD attributes = 0) {
  KernelHandle file(CreateFileW(Long(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(file) << GetLastError();
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(file.Get(), "content", 7, &written, nullptr));
  file.Release();
  if (attributes) {
    ASSERT_TRUE(SetFileAttributesW(Long(path).c_str(), attributes));
    ASSERT_EQ(AttributesOf(path) & attributes, attributes);
  }
}

bool IsWine() {
  return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

// What a finished process left behind. Its output is in the OEM code page:
// the code page of a new console, and deltree's choice without one.
struct Outcome {
  DWORD exitCode = 0;
  std::wstring out;
  std::wstring err;
};

class Pipe {
 public:
  Pipe() {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    CreatePipe(read_.Put(), write_.Put(), &inherit, 0);
  }
  KernelHandle& Read() { return read_; }
  KernelHandle& Write() { return write_; }

 private:
  KernelHandle read_;
  KernelHandle write_;
};

std::string ReadAll(HANDLE pipe) {
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(pipe, buffer, sizeof buffer, &read, nullptr) && read > 0)
    bytes.append(buffer, read);
  return bytes;
}

// Runs `commandLine` with `input` on its standard input, and `pathFirst`, if
// given, at the front of its PATH.
Outcome RunProcess(const std::wstring& application, std::wstring commandLine,
                   const std::string& input, const std::wstring& pathFirst = {}) {
  Pipe in, out, err;
  SetHandleInformation(in.Write().Get(), HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(out.Read().Get(), HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(err.Read().Get(), HANDLE_FLAG_INHERIT, 0);

  std::wstring environment;
  if (!pathFirst.empty()) {
    wchar_t* block = GetEnvironmentStringsW();
    for (const wchar_t* entry = block; *entry; entry += wcslen(entry) + 1) {
      if (_wcsnicmp(entry, L"PATH=", 5) != 0) environment.append(entry).push_back(L'\0');
    }
    std::wstring path(GetEnvironmentVariableW(L"PATH", nullptr, 0), L'\0');
    path.resize(GetEnvironmentVariableW(L"PATH", path.data(), static_cast<DWORD>(path.size())));
    environment.append(L"PATH=" + pathFirst + L";" + path).push_back(L'\0');
    FreeEnvironmentStringsW(block);
  }

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in.Read().Get();
  startup.hStdOutput = out.Write().Get();
  startup.hStdError = err.Write().Get();
  PROCESS_INFORMATION started{};
  const DWORD flags = CREATE_NO_WINDOW | (environment.empty() ? 0 : CREATE_UNICODE_ENVIRONMENT);
  Outcome outcome;
  outcome.exitCode = static_cast<DWORD>(-1);
  if (!CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, TRUE, flags,
                      environment.empty() ? nullptr : environment.data(), nullptr, &startup,
                      &started)) {
    ADD_FAILURE() << "cannot start the program: " << GetLastError();
    return outcome;
  }
  KernelHandle process(started.hProcess);
  KernelHandle thread(started.hThread);
  in.Read().Release();
  out.Write().Release();
  err.Write().Release();

  std::string outBytes, errBytes;
  std::thread outReader([&] { outBytes = ReadAll(out.Read().Get()); });
  std::thread errReader([&] { errBytes = ReadAll(err.Read().Get()); });
  DWORD written = 0;
  if (!input.empty()) {
    WriteFile(in.Write().Get(), input.data(), static_cast<DWORD>(input.size()), &written, nullptr);
  }
  in.Write().Release();
  if (WaitForSingleObject(process.Get(), 60000) != WAIT_OBJECT_0) {
    ADD_FAILURE() << "the program did not end within a minute";
    TerminateProcess(process.Get(), 1);
    WaitForSingleObject(process.Get(), 5000);
  }
  outReader.join();
  errReader.join();
  GetExitCodeProcess(process.Get(), &outcome.exitCode);
  outcome.out = ToWide(outBytes, CP_OEMCP);
  outcome.err = ToWide(errBytes, CP_OEMCP);
  return outcome;
}

Outcome RunDeltree(const std::wstring& arguments, const std::string& input = {}) {
  const std::wstring exe = DeltreeExe();
  return RunProcess(exe, L"\"" + exe + L"\" " + arguments, input);
}

std::wstring Quoted(const std::wstring& path) {
  return L"\"" + path + L"\"";
}

const std::wstring kUsageLine = L"DELTREE [/Y] path [path ...]";

class DeltreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Exists(DeltreeExe())) << "no deltree.exe at the built path";
    wchar_t temp[MAX_PATH];
    ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
    static int counter = 0;
    do {
      root_ = std::wstring(temp) + L"kavri-deltree-" + std::to_wstring(GetCurrentProcessId()) +
              L"-" + std::to_wstring(++counter);
    } while (!CreateDirectoryW(root_.c_str(), nullptr));
  }

  void TearDown() override {
    if (!root_.empty() && Exists(root_)) RunDeltree(L"/Y " + Quoted(root_));
  }

  std::wstring At(const std::wstring& relative) const { return root_ + L"\\" + relative; }

  std::wstring root_;
};

TEST_F(DeltreeTest, RemovesAWholeTreeWhateverItsAttributes) {
  const std::wstring tree = At(L"tree");
  MakeFolder(tree);
  MakeFile(tree + L"\\plain.txt");
  MakeFile(tree + L"\\hidden.txt", FILE_ATTRIBUTE_HIDDEN);
  MakeFile(tree + L"\\system.txt", FILE_ATTRIBUTE_SYSTEM);
  MakeFile(tree + L"\\read-only.txt", FILE_ATTRIBUTE_READONLY);
  MakeFile(tree + L"\\all three",
           FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  MakeFile(tree + L"\\\u00e9t\u00e9 \u65e5\u672c \u00fc\u263a.txt");
  MakeFolder(tree + L"\\empty");
  // Wine takes the read-only flag of a folder and forgets it (observed with
  // Wine 8): these folders test it on Windows only. Hidden and system stick.
  MakeFolder(tree + L"\\read-only folder", FILE_ATTRIBUTE_READONLY);
  MakeFile(tree + L"\\read-only folder\\inside.txt", FILE_ATTRIBUTE_READONLY);
  MakeFolder(tree + L"\\hidden system folder", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  MakeFile(tree + L"\\hidden system folder\\inside.txt", FILE_ATTRIBUTE_HIDDEN);
  MakeFolder(tree + L"\\a");
  MakeFolder(tree + L"\\a\\b");
  MakeFolder(tree + L"\\a\\b\\c", FILE_ATTRIBUTE_READONLY);
  MakeFile(tree + L"\\a\\b\\c\\bottom.txt", FILE_ATTRIBUTE_READONLY);
  MakeFile(At(L"beside the tree.txt"));
  MakeFolder(At(L"tree2"));

  const Outcome outcome = RunDeltree(L"/Y " + Quoted(tree));

  EXPECT_EQ(outcome.exitCode, 0u);
  EXPECT_EQ(outcome.err, L"");
  EXPECT_EQ(outcome.out, L"");
  EXPECT_FALSE(Exists(tree));
  EXPECT_TRUE(Exists(At(L"beside the tree.txt")));
  EXPECT_TRUE(Exists(At(L"tree2")));
}

TEST_F(DeltreeTest, RemovesEveryNamedPathFileOrFolder) {
  const std::wstring unicode = At(L"\u00dcn\u00efc\u00f8d\u00e9 \u65e5\u672c \u263a");
  MakeFolder(unicode);
  MakeFile(unicode + L"\\\u0436.txt");
  MakeFolder(At(L"plain"));
  MakeFile(At(L"plain\\x"));
  MakeFile(At(L"read-only hidden.txt"), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  MakeFolder(At(L"trailing"));
  MakeFile(At(L"trailing\\y"));
  MakeFile(At(L"kept.txt"));

  // The switch in lower case between the paths, and a folder named with the
  // backslash that a script may leave at its end.
  const Outcome outcome =
      RunDeltree(Quoted(unicode) + L" " + Quoted(At(L"plain")) + L" /y " +
                 Quoted(At(L"read-only hidden.txt")) + L" " + Quoted(At(L"trailing\\")));

  EXPECT_EQ(outcome.exitCode, 0u);
  EXPECT_EQ(outcome.err, L"");
  EXPECT_EQ(outcome.out, L"");
  for (const std::wstring& gone :
       {unicode, At(L"plain"), At(L"read-only hidden.txt"), At(L"trailing")}) {
    EXPECT_FALSE(Exists(gone));
  }
  EXPECT_TRUE(Exists(At(L"kept.txt")));
}

TEST_F(DeltreeTest, APathThatIsNotThereIsAlreadyGone) {
  MakeFolder(At(L"here"));
  MakeFile(At(L"here\\x"));

  const Outcome outcome = RunDeltree(L"/Y " + Quoted(At(L"missing")) + L" " + Quoted(At(L"here")) +
                                     L" " + Quoted(At(L"no such folder\\deeper\\file.txt")));

  EXPECT_EQ(outcome.exitCode, 0u);
  EXPECT_EQ(outcome.err, L"");
  EXPECT_FALSE(Exists(At(L"here")));
}

// Wine removes paths past 260 characters even without the "\\?\" form
// (observed with Wine 8); Windows does not, and there this test holds deltree
// to that form.
TEST_F(DeltreeTest, RemovesTreesDeeperThanMaxPath) {
  std::wstring deepest = At(L"deep");
  MakeFolder(deepest);
  while (deepest.size() <= MAX_PATH + 40) {
    deepest += L"\\a folder name of thirty chars";
    MakeFolder(deepest);
  }
  MakeFile(deepest + L"\\bottom.txt", FILE_ATTRIBUTE_READONLY);
  MakeFolder(deepest + L"\\under");
  MakeFile(deepest + L"\\under\\f");
  const std::wstring parent = FolderOf(deepest);
  MakeFile(parent + L"\\beside.txt", FILE_ATTRIBUTE_HIDDEN);
  ASSERT_GT(deepest.size(), static_cast<std::size_t>(MAX_PATH));

  // Named directly, a path past 260 characters.
  Outcome outcome = RunDeltree(L"/Y " + Quoted(deepest));
  EXPECT_EQ(outcome.exitCode, 0u);
  EXPECT_EQ(outcome.err, L"");
  EXPECT_FALSE(Exists(deepest));
  EXPECT_TRUE(Exists(parent + L"\\beside.txt"));

  // Named by its short top, with the long paths inside.
  outcome = RunDeltree(L"/Y " + Quoted(At(L"deep")));
  EXPECT_EQ(outcome.exitCode, 0u);
  EXPECT_EQ(outcome.err, L"");
  EXPECT_FALSE(Exists(At(L"deep")));
}

TEST_F(DeltreeTest, ReportsWhatItCannotRemoveAndRemovesTheRest) {
  const std::wstring tree = At(L"tree");
  const std::wstring held = tree + L"\\sub\\held.txt";
  MakeFolder(tree);
  MakeFolder(tree + L"\\sub");
  MakeFile(held, FILE_ATTRIBUTE_READONLY);
  MakeFile(tree + L"\\sub\\other.txt");
  MakeFolder(tree + L"\\second");
  MakeFile(tree + L"\\second\\y.txt");
  MakeFile(At(L"named file.txt"));
  {
    // Open without FILE_SHARE_DELETE: no one may delete it meanwhile.
    KernelHandle open(CreateFileW(Long(held).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(open);

    const Outcome outcome =
        RunDeltree(L"/Y " + Quoted(tree) + L" " + Quoted(At(L"named file.txt")));

    EXPECT_EQ(outcome.exitCode, 1u);
    // One line naming the held file; the folders that keep it are no news.
    const std::wstring start = L"deltree: cannot remove \"" + held + L"\": ";
    EXPECT_EQ(outcome.err.substr(0, start.size()), start) << ToCodePageLossy(outcome.err);
    EXPECT_GT(outcome.err.size(), start.size() + 2);
    EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), L'\n'), 1)
        << ToCodePageLossy(outcome.err);
    EXPECT_EQ(outcome.err.substr(outcome.err.size() - 2), L"\r\n");
    EXPECT_TRUE(Exists(held));
    EXPECT_EQ(AttributesOf(held) & FILE_ATTRIBUTE_READONLY,
              static_cast<DWORD>(FILE_ATTRIBUTE_READONLY))
        << "a file that stays keeps its attributes";
    EXPECT_FALSE(Exists(tree + L"\\sub\\other.txt"));
    EXPECT_FALSE(Exists(tree + L"\\second"));
    EXPECT_FALSE(Exists(At(L"named file.txt")));
  }
  const Outcome again = RunDeltree(L"/Y " + Quoted(tree));
  EXPECT_EQ(again.exitCode, 0u);
  EXPECT_EQ(again.err, L"");
  EXPECT_FALSE(Exists(tree));
}

TEST_F(DeltreeTest, AsksWithoutYAndOnlyALoneYRemoves) {
  const struct {
    const char* input;
    bool removed;
  } cases[] = {
      {"y\r\n", true},  {"Y\n", true},      {" y \r\n", true}, {"y", true},
      {"n\r\n", false}, {"yes\r\n", false}, {"\r\n", false},   {"", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "answer \"" << c.input << "\"");
    const std::wstring folder = At(L"asked");
    MakeFolder(folder);
    MakeFile(folder + L"\\x.txt");

    const Outcome outcome = RunDeltree(Quoted(folder), c.input);

    EXPECT_EQ(outcome.exitCode, 0u);
    EXPECT_EQ(outcome.out,
              L"Delete directory \"" + folder + L"\" and all its subdirectories? [yn] \r\n");
    EXPECT_EQ(outcome.err, L"");
    EXPECT_EQ(Exists(folder + L"\\x.txt"), !c.removed);
    EXPECT_EQ(Exists(folder), !c.removed);
    if (Exists(folder)) RunDeltree(L"/Y " + Quoted(folder));
  }
}

TEST_F(DeltreeTest, AsksForEachPathInTurn) {
  MakeFile(At(L"file.txt"));
  MakeFolder(At(L"folder"));
  MakeFile(At(L"folder\\x"));
  MakeFile(At(L"third.txt"));

  // Nothing is asked about the missing path; the input ends before the third.
  const Outcome outcome =
      RunDeltree(Quoted(At(L"file.txt")) + L" " + Quoted(At(L"missing")) + L" " +
                     Quoted(At(L"folder")) + L" " + Quoted(At(L"third.txt")),
                 "n\r\ny\r\n");

  EXPECT_EQ(outcome.exitCode, 0u);
  EXPECT_EQ(outcome.out, L"Delete file \"" + At(L"file.txt") + L"\"? [yn] \r\n" +
                             L"Delete directory \"" + At(L"folder") +
                             L"\" and all its subdirectories? [yn] \r\n" + L"Delete file \"" +
                             At(L"third.txt") + L"\"? [yn] \r\n");
  EXPECT_TRUE(Exists(At(L"file.txt")));
  EXPECT_FALSE(Exists(At(L"folder")));
  EXPECT_TRUE(Exists(At(L"third.txt")));
}

// A drive letter with no drive behind it: were the root not refused, the
// lookup would find nothing there and report success.
std::wstring UnusedDriveRoot() {
  const DWORD drives = GetLogicalDrives();
  for (wchar_t letter = L'Q'; letter <= L'Y'; ++letter) {
    if ((drives & (1u << (letter - L'A'))) == 0) return std::wstring(1, letter) + L":\\";
  }
  return {};
}

TEST_F(DeltreeTest, CommandLineMistakesTouchNothing) {
  const std::wstring folder = At(L"folder");
  MakeFolder(folder);
  MakeFile(folder + L"\\a.txt");
  const std::wstring root = UnusedDriveRoot();
  ASSERT_FALSE(root.empty());

  const struct {
    std::wstring arguments;
    DWORD exitCode;
    std::wstring errStart;  // empty: nothing on standard error
    bool usageOut;
  } cases[] = {
      {L"", 2, L"Removes files", false},
      {L"/Y", 2, L"Removes files", false},
      {L"/?", 0, L"", true},
      {L"/Y " + Quoted(folder) + L" /?", 0, L"", true},
      {L"/Y /Q " + Quoted(folder), 2, L"deltree: Invalid switch - /Q\r\n", false},
      {L"/Y " + Quoted(folder) + L" \"\"", 2, L"deltree: An empty path names nothing\r\n", false},
      // Taken literally, a wildcard names nothing that can exist.
      {L"/Y " + Quoted(folder + L"\\*"), 1, L"deltree: cannot remove \"" + folder + L"\\*\": ",
       false},
      {L"/Y " + Quoted(folder + L"\\*.*"), 1, L"deltree: cannot remove \"" + folder + L"\\*.*\": ",
       false},
      {L"/Y " + root, 1,
       L"deltree: cannot remove \"" + root + L"\": it is the root of a drive, share or device\r\n",
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "arguments: " << ToCodePageLossy(c.arguments));
    const Outcome outcome = RunDeltree(c.arguments);
    EXPECT_EQ(outcome.exitCode, c.exitCode);
    EXPECT_EQ(outcome.err.substr(0, c.errStart.size()), c.errStart);
    if (c.errStart.empty()) {
      EXPECT_EQ(outcome.err, L"");
    }
    if (c.exitCode == 2) {
      EXPECT_NE(outcome.err.find(kUsageLine), std::wstring::npos);
    }
    EXPECT_EQ(outcome.out.find(kUsageLine) != std::wstring::npos, c.usageOut)
        << ToCodePageLossy(outcome.out);
    EXPECT_TRUE(Exists(folder + L"\\a.txt"));
  }
}

// Makes `link` a junction to the folder `target`, through the reparse data
// that any user may set on an empty folder of their own. Returns why not.
std::optional<std::wstring> MakeJunction(const std::wstring& link, const std::wstring& target) {
  if (!CreateDirectoryW(Long(link).c_str(), nullptr)) return L"CreateDirectoryW failed";
  const std::wstring substitute = L"\\??\\" + target;
  const std::size_t names = (substitute.size() + 1 + target.size() + 1) * sizeof(wchar_t);
  // Tag, data length, reserved; then the four name offsets and lengths.
  std::vector<BYTE> data(8 + 8 + names, 0);
  auto put16 = [&](std::size_t at, std::size_t value) {
    const WORD word = static_cast<WORD>(value);
    std::memcpy(data.data() + at, &word, sizeof word);
  };
  const DWORD tag = IO_REPARSE_TAG_MOUNT_POINT;
  std::memcpy(data.data(), &tag, sizeof tag);
  put16(4, 8 + names);
  put16(8, 0);
  put16(10, substitute.size() * sizeof(wchar_t));
  put16(12, (substitute.size() + 1) * sizeof(wchar_t));
  put16(14, target.size() * sizeof(wchar_t));
  std::memcpy(data.data() + 16, substitute.c_str(), substitute.size() * sizeof(wchar_t));
  std::memcpy(data.data() + 16 + (substitute.size() + 1) * sizeof(wchar_t), target.c_str(),
              target.size() * sizeof(wchar_t));
  KernelHandle folder(CreateFileW(Long(link).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                  nullptr));
  if (!folder) return L"cannot open the new folder";
  DWORD returned = 0;
  if (!DeviceIoControl(folder.Get(), FSCTL_SET_REPARSE_POINT, data.data(),
                       static_cast<DWORD>(data.size()), nullptr, 0, &returned, nullptr)) {
    const DWORD error = GetLastError();
    folder.Release();
    RemoveDirectoryW(Long(link).c_str());
    return L"FSCTL_SET_REPARSE_POINT failed with error " + std::to_wstring(error);
  }
  return std::nullopt;
}

// A symbolic link, which Windows makes only with the privilege or in
// developer mode. Checked afterwards: Wine 8's CreateSymbolicLinkW answers
// TRUE and makes nothing (observed).
std::optional<std::wstring> MakeSymbolicLink(const std::wstring& link, const std::wstring& target,
                                             bool folder) {
  const DWORD flags =
      (folder ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0) | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE;
  if (!CreateSymbolicLinkW(Long(link).c_str(), target.c_str(), flags)) {
    return L"CreateSymbolicLinkW failed with error " + std::to_wstring(GetLastError());
  }
  const DWORD attributes = AttributesOf(link);
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
    return L"CreateSymbolicLinkW reported success but made no link";
  }
  return std::nullopt;
}

// Makes `link` point at the folder `target`, as a junction or else a
// directory symbolic link; empty when it worked, else why not.
std::wstring MakeFolderLink(const std::wstring& link, const std::wstring& target) {
  const std::optional<std::wstring> junction = MakeJunction(link, target);
  if (!junction) return {};
  const std::optional<std::wstring> symbolic = MakeSymbolicLink(link, target, true);
  if (!symbolic) return {};
  return *junction + L"; " + *symbolic;
}

TEST_F(DeltreeTest, RemovesFolderLinksWithoutEnteringThem) {
  const std::wstring target = At(L"target");
  MakeFolder(target);
  MakeFile(target + L"\\keep.txt");
  MakeFolder(target + L"\\keep folder");
  MakeFile(target + L"\\keep folder\\keep too.txt");
  const std::wstring tree = At(L"tree");
  MakeFolder(tree);
  MakeFile(tree + L"\\own.txt");
  // Observed with Wine 8: no junction (FSCTL_SET_REPARSE_POINT fails with
  // ERROR_NOT_SUPPORTED) and no symbolic link (CreateSymbolicLinkW is a stub
  // that answers TRUE). Wine's host-link case is the next test.
  const std::wstring why = MakeFolderLink(tree + L"\\link inside", target);
  if (!why.empty()) GTEST_SKIP() << "cannot make a folder link here: " << ToCodePageLossy(why);
  const std::wstring named = At(L"named link");
  ASSERT_EQ(MakeFolderLink(named, target), L"");

  const Outcome outcome = RunDeltree(L"/Y " + Quoted(tree) + L" " + Quoted(named));

  EXPECT_EQ(outcome.exitCode, 0u);
  EXPECT_EQ(outcome.err, L"");
  EXPECT_FALSE(Exists(tree));
  EXPECT_FALSE(Exists(named));
  EXPECT_TRUE(Exists(target + L"\\keep.txt"));
  EXPECT_TRUE(Exists(target + L"\\keep folder\\keep too.txt"));
}

TEST_F(DeltreeTest, RemovesFileLinksNotTheirTargets) {
  const std::wstring target = At(L"target.txt");
  MakeFile(target);
  const std::wstring tree = At(L"tree");
  MakeFolder(tree);
  // Observed with Wine 8: CreateSymbolicLinkW answers TRUE and makes nothing.
  if (const auto why = MakeSymbolicLink(tree + L"\\link.txt", target, false)) {
    GTEST_SKIP() << "cannot make a file link here: " << ToCodePageLossy(*why);
  }
  const std::wstring named = At(L"named link.txt");
  ASSERT_EQ(MakeSymbolicLink(named, target, false), std::nullopt);

  const Outcome outcome = RunDeltree(L"/Y " + Quoted(tree) + L" " + Quoted(named));

  EXPECT_EQ(outcome.exitCode, 0u);
  EXPECT_EQ(outcome.err, L"");
  EXPECT_FALSE(Exists(tree));
  EXPECT_FALSE(Exists(named));
  EXPECT_TRUE(Exists(target));
}

// The host path of a Wine path, from Wine's own export.
std::string UnixPathOf(const std::wstring& path) {
  using Convert = char* (*)(const wchar_t*);
  const auto convert = reinterpret_cast<Convert>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!convert) return {};
  char* unix = convert(path.c_str());
  if (!unix) return {};
  std::string result(unix);
  HeapFree(GetProcessHeap(), 0, unix);
  return result;
}

// Starts a host program: Wine runs an ELF file through CreateProcessW and
// hands it the arguments as they are, but gives back no process handle to
// wait on (observed with Wine 8), so the caller waits for the effect.
bool StartHostProgram(const std::wstring& program, const std::wstring& arguments) {
  std::wstring commandLine = program + L" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &started)) {
    return false;
  }
  // Without a process handle the thread value is no handle either.
  if (started.hProcess) {
    KernelHandle process(started.hProcess);
    KernelHandle thread(started.hThread);
  }
  return true;
}

bool WaitFor(const std::function<bool()>& condition) {
  for (int i = 0; i < 200; ++i) {
    if (condition()) return true;
    Sleep(50);
  }
  return condition();
}

// Links `link` to the folder `target` with the host's ln; empty when done.
std::wstring MakeHostLink(const std::wstring& link, const std::wstring& target) {
  const std::string unixTarget = UnixPathOf(target);
  const std::string unixLink = UnixPathOf(link);
  if (unixTarget.empty() || unixLink.empty()) return L"no host path";
  if (!StartHostProgram(L"Z:\\bin\\ln", L"-s \"" + ToWide(unixTarget, CP_UTF8) + L"\" \"" +
                                            ToWide(unixLink, CP_UTF8) + L"\"")) {
    return L"cannot start ln";
  }
  if (!WaitFor([&] { return Exists(link); })) return L"ln made no link";
  return {};
}

void RemoveHostLink(const std::wstring& link) {
  ASSERT_TRUE(StartHostProgram(L"Z:\\bin\\rm", L"\"" + ToWide(UnixPathOf(link), CP_UTF8) + L"\""));
  EXPECT_TRUE(WaitFor([&] { return !Exists(link); }));
}

TEST_F(DeltreeTest, DoesNotEnterAHostLinkUnderWine) {
  if (!IsWine()) GTEST_SKIP() << "a host symbolic link exists only under Wine";
  const std::wstring target = At(L"target");
  MakeFolder(target);
  MakeFile(target + L"\\keep.txt");
  const std::wstring tree = At(L"tree");
  MakeFolder(tree);
  MakeFile(tree + L"\\own.txt");
  const std::wstring inside = tree + L"\\link";
  const std::wstring named = At(L"named link");
  ASSERT_EQ(MakeHostLink(inside, target), L"");
  ASSERT_EQ(MakeHostLink(named, target), L"");
  // Wine shows a host link to a folder as a folder that is a reparse point.
  for (const std::wstring& link : {inside, named}) {
    ASSERT_EQ(AttributesOf(link),
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
  }

  const Outcome outcome = RunDeltree(L"/Y " + Quoted(tree) + L" " + Quoted(named));

  EXPECT_TRUE(Exists(target + L"\\keep.txt"));
  EXPECT_FALSE(Exists(tree + L"\\own.txt"));
  // Windows would remove both links, and the tree with them. Wine 8's
  // RemoveDirectoryW follows a host link and refuses because the target is
  // not empty (observed), so the links and the tree stay, and each link is
  // reported once.
  EXPECT_EQ(outcome.exitCode, 1u);
  EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), L'\n'), 2)
      << ToCodePageLossy(outcome.err);
  for (const std::wstring& link : {inside, named}) {
    const std::wstring line = L"deltree: cannot remove \"" + link + L"\": ";
    EXPECT_NE(outcome.err.find(line), std::wstring::npos) << ToCodePageLossy(outcome.err);
    RemoveHostLink(link);
  }
}

TEST_F(DeltreeTest, RunsFromABatchFileThroughPath) {
  const struct {
    const wchar_t* name;
    bool holdAFile;
    const wchar_t* errorLevel;
  } cases[] = {
      {L"a & b (x)", false, L"0"},
      {L"held", true, L"1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(ToCodePageLossy(c.name));
    const std::wstring tree = At(c.name);
    MakeFolder(tree);
    MakeFolder(tree + L"\\sub");
    MakeFile(tree + L"\\sub\\f.txt", FILE_ATTRIBUTE_READONLY);
    KernelHandle held;
    if (c.holdAFile) {
      held.Reset(CreateFileW(Long(tree + L"\\sub\\f.txt").c_str(), GENERIC_READ, FILE_SHARE_READ,
                             nullptr, OPEN_EXISTING, 0, nullptr));
      ASSERT_TRUE(held);
    }
    // The command interpreter reads a script in the OEM code page.
    const std::string script = "@DELTREE /Y \"" + ToCodePageLossy(tree, CP_OEMCP) +
                               "\"\r\n@ECHO errorlevel=%ERRORLEVEL%\r\n";
    const std::wstring bat = At(L"run.bat");
    {
      KernelHandle file(CreateFileW(bat.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
      ASSERT_TRUE(file);
      DWORD written = 0;
      ASSERT_TRUE(WriteFile(file.Get(), script.data(), static_cast<DWORD>(script.size()), &written,
                            nullptr));
    }
    wchar_t system[MAX_PATH];
    ASSERT_NE(GetSystemDirectoryW(system, MAX_PATH), 0u);
    const std::wstring cmd = std::wstring(system) + L"\\cmd.exe";

    const Outcome outcome =
        RunProcess(cmd, L"cmd.exe /c " + Quoted(bat), {}, FolderOf(DeltreeExe()));

    EXPECT_NE(outcome.out.find(std::wstring(L"errorlevel=") + c.errorLevel), std::wstring::npos)
        << ToCodePageLossy(outcome.out) << ToCodePageLossy(outcome.err);
    EXPECT_EQ(Exists(tree + L"\\sub\\f.txt"), c.holdAFile);
    EXPECT_EQ(Exists(tree), c.holdAFile);
    held.Release();
    DeleteFileW(bat.c_str());
  }
}

}  // namespace
}  // namespace kavri
