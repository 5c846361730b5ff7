#include <gtest/gtest.h>

#include <shlobj.h>

#include <vector>

#include "mainwindow/kvmain_win32.h"
#include "platform/win32/handles.h"
#include "win32/temp_dir.h"
#include "win32/window_helpers.h"

namespace kavri {
namespace {

using testing::ChildOfClass;
using testing::ListLines;
using testing::Narrow;
using testing::TempDir;
using testing::WindowText;
using testing::WriteWholeFile;

// A drop handle as the shell makes one: the 20-byte header with the wide
// flag set, then UTF-16 paths, each ended by a NUL, and one more NUL.
HGLOBAL ShellDropHandle(const std::vector<std::wstring>& paths) {
  std::size_t characters = 1;
  for (const std::wstring& path : paths) characters += path.size() + 1;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 20 + characters * sizeof(wchar_t));
  GlobalLockScope lock(block);
  DROPFILES* header = reinterpret_cast<DROPFILES*>(lock.Data());
  header->pFiles = 20;
  header->fWide = TRUE;
  auto* text = reinterpret_cast<wchar_t*>(lock.Data() + 20);
  for (const std::wstring& path : paths) {
    std::copy(path.begin(), path.end(), text);
    text += path.size() + 1;
  }
  return block;
}

class DropTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_.Construct({});
    list_ = ChildOfClass(window_.Handle(), "ListBox");
    combo_ = ChildOfClass(window_.Handle(), "ComboBox");
    ASSERT_TRUE(CreateDirectoryW(temp_.Path(L"Folder A").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(temp_.Path(L"Folder B").c_str(), nullptr));
    ASSERT_TRUE(WriteWholeFile(temp_.Path(L"file.txt"), "x"));
  }
  void Drop(const std::vector<std::wstring>& paths) {
    SendMessageA(window_.Handle(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(ShellDropHandle(paths)), 0);
  }

  TempDir temp_;
  TKVMain window_{GetModuleHandleA(nullptr)};
  HWND list_ = nullptr;
  HWND combo_ = nullptr;
};

TEST_F(DropTest, TwoPathsAreListed) {
  Drop({temp_.Path(L"Folder A"), temp_.Path(L"file.txt")});
  EXPECT_EQ(ListLines(list_), (std::vector<std::string>{Narrow(temp_.Path(L"Folder A")),
                                                         Narrow(temp_.Path(L"file.txt"))}));
  EXPECT_EQ(WindowText(combo_), "");
}

TEST_F(DropTest, OneFolderBecomesTheDestination) {
  Drop({temp_.Path(L"Folder B")});
  EXPECT_TRUE(ListLines(list_).empty());
  EXPECT_EQ(WindowText(combo_), Narrow(temp_.Path(L"Folder B")));
}

// The Ctrl key as the drop's input message left it: held, a single folder
// is listed instead of becoming the destination.
TEST_F(DropTest, HeldCtrlListsAFolder) {
  window_.Show(SW_SHOW);
  SetForegroundWindow(window_.Handle());
  auto press = [](bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = VK_CONTROL;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(VK_CONTROL, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof(input));
  };
  testing::PumpPending();
  press(true);
  // The thread's key state follows once the input has been read.
  testing::PumpUntil([] { return GetKeyState(VK_CONTROL) < 0; }, std::chrono::seconds(5));
  const bool held = GetKeyState(VK_CONTROL) < 0;
  Drop({temp_.Path(L"Folder A")});
  press(false);
  testing::PumpUntil([] { return GetKeyState(VK_CONTROL) >= 0; }, std::chrono::seconds(5));
  if (!held) {
    GTEST_SKIP() << "this desktop gave the test window no keyboard input (foreground "
                 << (GetForegroundWindow() == window_.Handle()) << ", async "
                 << (GetAsyncKeyState(VK_CONTROL) < 0) << ")";
  }
  EXPECT_EQ(ListLines(list_), std::vector<std::string>{Narrow(temp_.Path(L"Folder A"))});
  EXPECT_EQ(WindowText(combo_), "");
}

TEST_F(DropTest, LongPathsArriveWhole) {
  const std::wstring longPath = temp_.Path(std::wstring(300, L'x') + L"\\file.txt");
  Drop({longPath, temp_.Path(L"file.txt")});
  EXPECT_EQ(ListLines(list_),
            (std::vector<std::string>{Narrow(longPath), Narrow(temp_.Path(L"file.txt"))}));
}

TEST_F(DropTest, MalformedHandlesAreIgnoredAndNothingIsLost) {
  Drop({temp_.Path(L"file.txt")});
  // No end to the list inside the block.
  HGLOBAL open = GlobalAlloc(GMEM_MOVEABLE, 24);
  {
    GlobalLockScope lock(open);
    std::fill(lock.Data(), lock.Data() + 24, 'A');
    reinterpret_cast<DROPFILES*>(lock.Data())->pFiles = 20;
    reinterpret_cast<DROPFILES*>(lock.Data())->fWide = TRUE;
  }
  // The window releases it, read or not.
  SendMessageA(window_.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(open), 0);
  // A value that names no memory of this process.
  SendMessageA(window_.Handle(), WM_DROPFILES, 0x7654321, 0);
  EXPECT_EQ(ListLines(list_), std::vector<std::string>{Narrow(temp_.Path(L"file.txt"))});
  EXPECT_TRUE(IsWindow(window_.Handle()));
}

}  // namespace
}  // namespace kavri
