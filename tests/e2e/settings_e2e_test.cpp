#include <gtest/gtest.h>

#include "e2e/driver_win32.h"

namespace kavri::e2e {
namespace {

using Lines = std::vector<std::wstring>;

std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  EXPECT_EQ(start, text.size()) << "every line ends with CR LF";
  return lines;
}

RECT BoundsOf(HWND window) {
  RECT bounds{};
  GetWindowRect(window, &bounds);
  return bounds;
}

bool IsTopmost(HWND window) { return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

TEST(Settings, ClosingWritesFifteenLinesWithTheGeometry) {
  Sandbox box;
  const std::wstring exe = box.InstallKavri();
  Kavri kavri(exe);
  HWND window = kavri.Window();
  ASSERT_NE(window, nullptr);
  SetWindowPos(window, nullptr, 120, 70, 260, 330, SWP_NOZORDER);
  kavri.Settle();
  const RECT bounds = BoundsOf(window);
  kavri.Type({{VK_ESCAPE}});
  ASSERT_TRUE(kavri.WaitForExit());

  const std::vector<std::string> lines = SplitCrLf(box.ReadFile(L"prog\\kavri.ini"));
  ASSERT_EQ(lines.size(), 15u);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(lines[static_cast<std::size_t>(i)], "") << "line " << i + 1;
  EXPECT_EQ(lines[10], std::to_string(bounds.left));
  EXPECT_EQ(lines[11], std::to_string(bounds.top));
  EXPECT_EQ(lines[12], std::to_string(bounds.right - bounds.left));
  EXPECT_EQ(lines[13], std::to_string(bounds.bottom - bounds.top));
  EXPECT_EQ(lines[14], "false");
}

TEST(Settings, StartsWhereItWasOnTopAndWithItsHistory) {
  Sandbox box;
  const std::wstring exe = box.InstallKavri();
  box.WriteFile(L"prog\\kavri.ini",
                "D:\\A\r\nE:\\B\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n300\r\n200\r\n250\r\n330\r\ntrue\r\n");
  Kavri kavri(exe);
  HWND window = kavri.Window();
  ASSERT_NE(window, nullptr);
  const RECT bounds = BoundsOf(window);
  EXPECT_EQ(bounds.left, 300);
  EXPECT_EQ(bounds.top, 200);
  EXPECT_EQ(bounds.right - bounds.left, 250);
  EXPECT_EQ(bounds.bottom - bounds.top, 330);
  EXPECT_TRUE(IsTopmost(window));
  EXPECT_EQ(kavri.History(), (Lines{L"D:\\A", L"E:\\B"}));
  EXPECT_EQ(kavri.Destination(), L"");

  // Closed again, it writes back what it read.
  kavri.Type({{VK_ESCAPE}});
  ASSERT_TRUE(kavri.WaitForExit());
  EXPECT_EQ(box.ReadFile(L"prog\\kavri.ini"),
            "D:\\A\r\nE:\\B\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n300\r\n200\r\n250\r\n330\r\ntrue\r\n");
}

TEST(Settings, StayOnTopFromTheMenuIsKeptAndTheWindowStaysADropTarget) {
  Sandbox box;
  const std::wstring exe = box.InstallKavri();
  {
    Kavri kavri(exe);
    HWND window = kavri.Window();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsTopmost(window));
    // Alt+F opens the File menu on New; Up wraps to Quit, Up again reaches
    // Stay On Top. Its mnemonic S is shared with "Add to &shell", and Wine
    // runs the first item of a shared mnemonic where Windows would cycle.
    kavri.Type({{VK_MENU}, {'F'}, {VK_UP}, {VK_UP}, {VK_RETURN}});
    EXPECT_TRUE(WaitUntil([&] { return IsTopmost(window); }));
    EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    kavri.Type({{VK_ESCAPE}});
    ASSERT_TRUE(kavri.WaitForExit());
  }
  EXPECT_NE(box.ReadFile(L"prog\\kavri.ini").find("\r\ntrue\r\n"), std::string::npos);
  Kavri again(exe);
  ASSERT_NE(again.Window(), nullptr);
  EXPECT_TRUE(IsTopmost(again.Window()));
}

TEST(Settings, DamagedFileStillLetsTheWindowOpenWithItsReadableHistory) {
  Sandbox box;
  const std::wstring exe = box.InstallKavri();
  const std::string damaged = "D:\\A\r\nD:\\B\r\n\r\nE:\\C\r\n\r\n\r\n\r\n\r\n\r\n\r\nleft\r\n";
  box.WriteFile(L"prog\\kavri.ini", damaged);
  Kavri kavri(exe);
  HWND window = kavri.Window();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(kavri.History(), (Lines{L"D:\\A", L"D:\\B", L"E:\\C"}));
  const RECT bounds = BoundsOf(window);
  EXPECT_EQ(bounds.right - bounds.left, 194);
  EXPECT_EQ(bounds.bottom - bounds.top, 283);
  EXPECT_EQ(box.ReadFile(L"prog\\kavri.ini"), damaged);
}

TEST(Settings, OffScreenGeometryComesBackOntoTheScreen) {
  Sandbox box;
  const std::wstring exe = box.InstallKavri();
  box.WriteFile(L"prog\\kavri.ini", std::string(10, '\n') + "9000\n-7000\n250\n330\nfalse\n");
  Kavri kavri(exe);
  HWND window = kavri.Window();
  ASSERT_NE(window, nullptr);
  const RECT bounds = BoundsOf(window);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
  EXPECT_EQ(bounds.right - bounds.left, 250);
  EXPECT_EQ(bounds.bottom - bounds.top, 330);
  EXPECT_EQ(bounds.right, monitor.rcWork.right);
  EXPECT_EQ(bounds.top, monitor.rcWork.top);
}

// Root under Wine writes into a folder whatever its permissions and its
// read-only attribute, so the failure is made the way Windows also fails a
// save: the old file is held open by another program.
TEST(Settings, FailedSaveIsShownAndTheWindowClosesAnywayLeavingTheOldFile) {
  Sandbox box;
  const std::wstring exe = box.InstallKavri();
  const std::string old = "D:\\A\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n10\r\n20\r\n194\r\n283\r\nfalse\r\n";
  box.WriteFile(L"prog\\kavri.ini", old);
  Kavri kavri(exe);
  ASSERT_NE(kavri.Window(), nullptr);
  HANDLE held = CreateFileW(box.Path(L"prog\\kavri.ini").c_str(), GENERIC_READ, FILE_SHARE_READ,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  kavri.Type({{VK_ESCAPE}});
  const MessageBoxSeen error = kavri.WaitForMessageBox();
  ASSERT_NE(error.window, nullptr);
  EXPECT_EQ(error.caption, L"kavri");
  EXPECT_NE(error.text.find(L"kavri.ini"), std::wstring::npos) << ToUtf8(error.text);
  Kavri::Answer(error, IDOK);
  EXPECT_TRUE(kavri.WaitForExit());
  CloseHandle(held);
  EXPECT_EQ(box.ReadFile(L"prog\\kavri.ini"), old);
  EXPECT_FALSE(box.Exists(L"prog\\kavri.ini.new"));
}

}  // namespace
}  // namespace kavri::e2e
