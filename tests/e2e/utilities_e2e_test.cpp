#include <gtest/gtest.h>

#include <cwctype>

#include "e2e/driver_win32.h"

namespace kavri::e2e {
namespace {

using Lines = std::vector<std::wstring>;

std::optional<std::wstring> ReadDefault(const wchar_t* key) {
  wchar_t value[512] = {};
  DWORD size = sizeof(value);
  if (RegGetValueW(HKEY_CLASSES_ROOT, key, nullptr, RRF_RT_REG_SZ, nullptr, value, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::wstring(value);
}

bool KeyExists(const wchar_t* key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  RegCloseKey(opened);
  return true;
}

void RemoveShellEntries() {
  RegDeleteTreeW(HKEY_CLASSES_ROOT, L"*\\shell\\kavri");
  RegDeleteTreeW(HKEY_CLASSES_ROOT, L"folder\\shell\\kavri");
}

void PostListDoubleClick(Kavri& kavri) {
  HWND list = kavri.List();
  PostMessageW(kavri.Window(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_DBLCLK),
               reinterpret_cast<LPARAM>(list));
}

HWND FindTopLevel(const wchar_t* className, const std::wstring& titlePart) {
  for (HWND window = FindWindowW(className, nullptr); window;
       window = FindWindowExW(nullptr, window, className, nullptr)) {
    wchar_t title[512] = {};
    GetWindowTextW(window, title, 512);
    if (std::wstring(title).find(titlePart) != std::wstring::npos) return window;
  }
  return nullptr;
}

TEST(Utilities, F2RenamesTheCurrentItemAndTheListShowsTheNewPath) {
  Sandbox box;
  box.WriteFile(L"old.txt", "x");
  Kavri kavri(box.InstallKavri(), Quoted(box.Path(L"old.txt")));
  ASSERT_NE(kavri.Window(), nullptr);
  SendMessageW(kavri.List(), LB_SETCARETINDEX, 0, FALSE);
  kavri.SetDestination(box.Path(L"new.txt"));
  kavri.Type({{VK_F2}});
  EXPECT_TRUE(WaitUntil([&] { return kavri.ListLines() == Lines{box.Path(L"new.txt")}; }));
  EXPECT_EQ(kavri.Destination(), L"");
  EXPECT_TRUE(box.IsFile(L"new.txt"));
  EXPECT_FALSE(box.Exists(L"old.txt"));
}

TEST(Utilities, FailedRenameSaysErrorAndKeepsEverything) {
  Sandbox box;
  box.WriteFile(L"old.txt", "x");
  Kavri kavri(box.InstallKavri(), Quoted(box.Path(L"old.txt")));
  ASSERT_NE(kavri.Window(), nullptr);
  SendMessageW(kavri.List(), LB_SETCARETINDEX, 0, FALSE);
  kavri.SetDestination(L"");
  kavri.Type({{VK_F2}});
  const MessageBoxSeen error = kavri.WaitForMessageBox();
  EXPECT_EQ(error.caption, L"Rename");
  EXPECT_EQ(error.text, L"error");
  Kavri::Answer(error, IDOK);
  kavri.Settle();
  EXPECT_EQ(kavri.ListLines(), Lines{box.Path(L"old.txt")});
  EXPECT_TRUE(box.IsFile(L"old.txt"));
}

TEST(Utilities, ShiftInsertMakesTheFolderAndClosesSavingTheSettings) {
  Sandbox box;
  Kavri kavri(box.InstallKavri());
  ASSERT_NE(kavri.Window(), nullptr);
  kavri.SetDestination(box.Path(L"Made"));
  kavri.Type({{VK_INSERT, true}});
  EXPECT_TRUE(kavri.WaitForExit());
  EXPECT_TRUE(box.IsDir(L"Made"));
  EXPECT_TRUE(box.IsFile(L"prog\\kavri.ini"));
}

TEST(Utilities, MakeFolderUnderAMissingParentFailsAndTheWindowStays) {
  Sandbox box;
  Kavri kavri(box.InstallKavri());
  ASSERT_NE(kavri.Window(), nullptr);
  kavri.SetDestination(box.Path(L"A\\B"));
  kavri.Type({{VK_INSERT, true}});
  const MessageBoxSeen error = kavri.WaitForMessageBox();
  EXPECT_EQ(error.caption, L"mkdir");
  EXPECT_EQ(error.text, L"Can't create dir");
  Kavri::Answer(error, IDOK);
  kavri.Settle();
  EXPECT_TRUE(kavri.Running());
  EXPECT_FALSE(box.Exists(L"A"));
}

TEST(Utilities, CtrlTWithAnEmptyBoxOffersTheCurrentTimeAndKeepsTheWindow) {
  Sandbox box;
  Kavri kavri(box.InstallKavri());
  ASSERT_NE(kavri.Window(), nullptr);
  SYSTEMTIME before;
  GetLocalTime(&before);
  kavri.Type({{'T', false, true}});
  ASSERT_TRUE(WaitUntil([&] { return !kavri.Destination().empty(); }));
  const std::wstring offered = kavri.Destination();
  // "yyyy/mm/dd hh:mm:ss" with this system's separators ("/" and ":" here).
  ASSERT_EQ(offered.size(), 19u) << ToUtf8(offered);
  EXPECT_EQ(offered.substr(0, 5), std::to_wstring(before.wYear) + L"/");
  EXPECT_EQ(offered[7], L'/');
  EXPECT_EQ(offered[10], L' ');
  EXPECT_EQ(offered[13], L':');
  EXPECT_EQ(offered[16], L':');
  // Selected whole, ready to be typed over.
  const LRESULT selection = SendMessageW(kavri.Combo(), CB_GETEDITSEL, 0, 0);
  EXPECT_EQ(LOWORD(selection), 0);
  EXPECT_EQ(HIWORD(selection), 19);
  EXPECT_TRUE(kavri.Running());
}

TEST(Utilities, CtrlTStampsTheListedFilesAndClosesSkippingFolders) {
  Sandbox box;
  box.WriteFile(L"a.txt", "x");
  box.MakeDir(L"Folder");
  Kavri kavri(box.InstallKavri(),
              Quoted(box.Path(L"a.txt")) + L" " + Quoted(box.Path(L"Folder")));
  ASSERT_NE(kavri.Window(), nullptr);
  FILETIME folderBefore{};
  {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(box.Path(L"Folder").c_str(), GetFileExInfoStandard, &data);
    folderBefore = data.ftLastWriteTime;
  }
  kavri.SetDestination(L"2001/01/01 10:00:01");
  kavri.Type({{'T', false, true}});
  ASSERT_TRUE(kavri.WaitForExit());

  WIN32_FILE_ATTRIBUTE_DATA data{};
  ASSERT_TRUE(GetFileAttributesExW(box.Path(L"a.txt").c_str(), GetFileExInfoStandard, &data));
  SYSTEMTIME utc{}, local{};
  FileTimeToSystemTime(&data.ftLastWriteTime, &utc);
  SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
  EXPECT_EQ(local.wYear, 2001);
  EXPECT_EQ(local.wMonth, 1);
  EXPECT_EQ(local.wDay, 1);
  EXPECT_EQ(local.wHour, 10);
  EXPECT_EQ(local.wMinute, 0);
  EXPECT_EQ(local.wSecond, 0);
  GetFileAttributesExW(box.Path(L"Folder").c_str(), GetFileExInfoStandard, &data);
  EXPECT_EQ(CompareFileTime(&data.ftLastWriteTime, &folderBefore), 0);
}

TEST(Utilities, AddToShellThenRemoveAfterARestart) {
  RemoveShellEntries();
  Sandbox box;
  const std::wstring exe = box.InstallKavri();
  {
    Kavri kavri(exe);
    ASSERT_NE(kavri.Window(), nullptr);
    // File menu from New: Mkdir, Ren, Timestamp, then Add to shell.
    kavri.Type({{VK_MENU}, {'F'}, {VK_DOWN}, {VK_DOWN}, {VK_DOWN}, {VK_DOWN}, {VK_RETURN}});
    const MessageBoxSeen question = kavri.WaitForMessageBox();
    EXPECT_EQ(question.caption, L"kavri");
    EXPECT_EQ(question.text, L"Add kavri to popup menu of shell?");
    Kavri::Answer(question, IDOK);
    kavri.Settle();
    const std::wstring command = Quoted(exe) + L" \"%1\"";
    EXPECT_EQ(ReadDefault(L"*\\shell\\kavri\\command"), command);
    EXPECT_EQ(ReadDefault(L"folder\\shell\\kavri\\command"), command);
    kavri.Type({{VK_ESCAPE}});
    ASSERT_TRUE(kavri.WaitForExit());
  }
  Kavri again(exe);
  ASSERT_NE(again.Window(), nullptr);
  again.Type({{VK_MENU}, {'F'}, {VK_DOWN}, {VK_DOWN}, {VK_DOWN}, {VK_DOWN}, {VK_RETURN}});
  const MessageBoxSeen question = again.WaitForMessageBox();
  EXPECT_EQ(question.text, L"Remove kavri from popup menu of shell?");
  Kavri::Answer(question, IDOK);
  again.Settle();
  EXPECT_FALSE(KeyExists(L"*\\shell\\kavri"));
  EXPECT_FALSE(KeyExists(L"folder\\shell\\kavri"));
  EXPECT_TRUE(KeyExists(L"*\\shell"));
  RemoveShellEntries();
}

TEST(Utilities, CtrlROpensTheShippedReadme) {
  Sandbox box;
  Kavri kavri(box.InstallKavri());
  ASSERT_NE(kavri.Window(), nullptr);
  ASSERT_TRUE(box.IsFile(L"prog\\readme.txt"));
  kavri.Type({{'R', false, true}});
  HWND notepad = nullptr;
  EXPECT_TRUE(WaitUntil([&] { return (notepad = FindTopLevel(L"Notepad", L"readme")) != nullptr; }));
  if (notepad) PostMessageW(notepad, WM_CLOSE, 0, 0);
}

// A fresh Wine prefix has no program for ".txt" and answers with a message of
// its own; the test gives it the association a Windows system has.
TEST(Utilities, DoubleClickOpensTheItemWithItsProgram) {
  HKEY key = nullptr;
  RegCreateKeyExW(HKEY_CLASSES_ROOT, L"kavri.e2e.txt\\shell\\open\\command", 0, nullptr, 0,
                  KEY_ALL_ACCESS, nullptr, &key, nullptr);
  const wchar_t command[] = L"notepad.exe \"%1\"";
  RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command), sizeof(command));
  RegCloseKey(key);
  wchar_t previous[64] = {};
  DWORD previousSize = sizeof(previous);
  const bool hadAssociation = RegGetValueW(HKEY_CLASSES_ROOT, L".txt", nullptr, RRF_RT_REG_SZ,
                                           nullptr, previous, &previousSize) == ERROR_SUCCESS;
  RegSetKeyValueW(HKEY_CLASSES_ROOT, L".txt", nullptr, REG_SZ, L"kavri.e2e.txt",
                  sizeof(L"kavri.e2e.txt"));
  Sandbox box;
  box.WriteFile(L"notes.txt", "notes\r\n");
  Kavri kavri(box.InstallKavri(), Quoted(box.Path(L"notes.txt")));
  ASSERT_NE(kavri.Window(), nullptr);
  SendMessageW(kavri.List(), LB_SETCARETINDEX, 0, FALSE);
  PostListDoubleClick(kavri);
  HWND notepad = nullptr;
  EXPECT_TRUE(WaitUntil([&] { return (notepad = FindTopLevel(L"Notepad", L"notes")) != nullptr; }));
  if (notepad) PostMessageW(notepad, WM_CLOSE, 0, 0);
  if (hadAssociation) {
    RegSetKeyValueW(HKEY_CLASSES_ROOT, L".txt", nullptr, REG_SZ, previous, previousSize);
  } else {
    RegDeleteKeyValueW(HKEY_CLASSES_ROOT, L".txt", nullptr);
  }
  RegDeleteTreeW(HKEY_CLASSES_ROOT, L"kavri.e2e.txt");
}

}  // namespace
}  // namespace kavri::e2e
