#include <gtest/gtest.h>

#include <shlobj.h>

#include <memory>

#include "e2e/driver_win32.h"

namespace kavri::e2e {
namespace {

using Lines = std::vector<std::wstring>;

LRESULT SendCopyData(HWND window, ULONG_PTR tag, const void* data, DWORD size) {
  COPYDATASTRUCT copy{tag, size, const_cast<void*>(data)};
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy), SMTO_ABORTIFHUNG,
                      10000, &result);
  return static_cast<LRESULT>(result);
}

TEST(Robustness, AHundredSecondStartsAllArriveInOrder) {
  Sandbox box;
  const std::wstring exe = box.InstallKavri();
  Kavri kavri(exe);
  ASSERT_NE(kavri.Window(), nullptr);
  Lines expected;
  for (int i = 0; i < 100; ++i) {
    const std::wstring path = L"C:\\handed\\" + std::to_wstring(i) + L".txt";
    expected.push_back(path);
    ASSERT_TRUE(RunToEnd(exe, path, 15s)) << i;
  }
  EXPECT_TRUE(WaitUntil([&] { return kavri.ListLines().size() == 100; }, 20s));
  EXPECT_EQ(kavri.ListLines(), expected);
}

TEST(Robustness, StartsAtTheSameMomentOpenOneWindowAndLoseNoItem) {
  Sandbox box;
  const std::wstring exe = box.InstallKavri();
  // As the file manager does with several selected items: one process each,
  // all started at once. One of them opens the window, the others hand over.
  std::vector<std::unique_ptr<Kavri>> starts;
  for (int i = 0; i < 8; ++i) {
    starts.push_back(std::make_unique<Kavri>(exe, L"C:\\burst\\" + std::to_wstring(i) + L".txt"));
  }
  HWND window = nullptr;
  for (auto& start : starts) {
    if (HWND found = start->Window(3s)) window = found;
  }
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(FindWindowExW(nullptr, window, L"TKVMain", L"kavri"), nullptr);
  int ended = 0;
  for (auto& start : starts) ended += start->WaitForExit(1s) ? 1 : 0;
  EXPECT_EQ(ended, 7);
  HWND list = FindWindowExW(window, nullptr, L"ListBox", nullptr);
  // The window's own argument and the seven handed over.
  EXPECT_TRUE(WaitUntil([&] { return SendMessageW(list, LB_GETCOUNT, 0, 0) == 8; }));
}

TEST(Robustness, GarbageFromOtherProgramsLeavesKavriRunningWithItsItems) {
  Sandbox box;
  Kavri kavri(box.InstallKavri(), L"C:\\kept\\one.txt C:\\kept\\two.txt");
  HWND window = kavri.Window();
  ASSERT_NE(window, nullptr);
  const Lines listed = kavri.ListLines();

  std::vector<unsigned char> garbage(4096);
  for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<unsigned char>(i * 7);
  std::vector<unsigned char> unterminated(64, 'A');
  unterminated[0] = 16;
  unterminated[1] = unterminated[2] = unterminated[3] = 0;
  std::vector<unsigned char> huge(32 * 1024 * 1024, 'B');
  huge[0] = 16;
  huge[1] = huge[2] = huge[3] = 0;
  EXPECT_EQ(SendCopyData(window, 0x233, garbage.data(), static_cast<DWORD>(garbage.size())), 0);
  EXPECT_EQ(SendCopyData(window, 0x233, unterminated.data(), static_cast<DWORD>(unterminated.size())),
            0);
  EXPECT_EQ(SendCopyData(window, 0x233, huge.data(), static_cast<DWORD>(huge.size())), 0);
  EXPECT_EQ(SendCopyData(window, 0x233, nullptr, 0), 0);
  EXPECT_EQ(SendCopyData(window, 12345, garbage.data(), 16), 0);

  // A drop handle of this process means nothing in kavri's.
  HGLOBAL drop = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + 64);
  {
    auto* header = static_cast<DROPFILES*>(GlobalLock(drop));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    wcscpy(reinterpret_cast<wchar_t*>(header + 1), L"C:\\foreign.txt");
    GlobalUnlock(drop);
  }
  PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  for (WPARAM bogus : {WPARAM{0}, WPARAM{1}, WPARAM{0x12345678}, static_cast<WPARAM>(-1)}) {
    PostMessageW(window, WM_DROPFILES, bogus, 0);
  }
  kavri.Settle();
  EXPECT_TRUE(kavri.Running());
  EXPECT_TRUE(kavri.NoMessageBox());
  EXPECT_EQ(kavri.ListLines(), listed);
  GlobalFree(drop);
}

TEST(Robustness, TwoCopiesAMomentApartBothComplete) {
  Sandbox box;
  const std::wstring exe = box.InstallKavri();
  box.MakeDir(L"many");
  for (int i = 0; i < 600; ++i) box.WriteFile(L"many\\" + std::to_wstring(i) + L".txt", "x");
  box.WriteFile(L"single.txt", "single");
  box.MakeDir(L"first");
  box.MakeDir(L"second");
  Kavri kavri(exe, Quoted(box.Path(L"many")));
  ASSERT_NE(kavri.Window(), nullptr);
  kavri.SetDestination(box.Path(L"first"));
  kavri.Click(L"Copy");
  ASSERT_TRUE(WaitUntil([&] { return kavri.ListLines().empty(); }));
  ASSERT_TRUE(RunToEnd(exe, Quoted(box.Path(L"single.txt")), 15s));
  ASSERT_TRUE(WaitUntil([&] { return kavri.ListLines().size() == 1; }));
  kavri.SetDestination(box.Path(L"second"));
  kavri.Click(L"Copy");
  EXPECT_TRUE(WaitUntil(
      [&] { return box.IsFile(L"second\\single.txt") && box.Tree(L"first\\many\\").size() == 600; },
      60s));
  // The second script went beside the first, which was still being read.
  if (box.Exists(L"prog\\tmp2.bat")) {
    EXPECT_NE(box.ReadFile(L"prog\\tmp2.bat").find("single.txt"), std::string::npos);
    EXPECT_NE(box.ReadFile(L"prog\\tmp.bat").find("many"), std::string::npos);
  }
  EXPECT_EQ(box.Tree(L"first\\many\\").size(), 600u);
}

}  // namespace
}  // namespace kavri::e2e
