#include <gtest/gtest.h>

#include "e2e/driver_win32.h"

namespace kavri::e2e {
namespace {

using Lines = std::vector<std::wstring>;

RECT ClientBoundsOf(HWND control, HWND parent) {
  RECT bounds{};
  GetWindowRect(control, &bounds);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&bounds), 2);
  return bounds;
}

TEST(Window, OpensWithClassAndTitleAndTheControlsWhereTheLayoutPutsThem) {
  Sandbox box;
  Kavri kavri(box.InstallKavri());
  HWND window = kavri.Window();
  ASSERT_NE(window, nullptr);
  // Wine may size the window once more after showing it; read it at rest.
  kavri.Settle();
  wchar_t className[32] = {};
  GetClassNameW(window, className, 32);
  EXPECT_EQ(std::wstring(className), L"TKVMain");

  RECT outer{};
  GetWindowRect(window, &outer);
  EXPECT_EQ(outer.right - outer.left, 194);
  EXPECT_EQ(outer.bottom - outer.top, 283);

  RECT client{};
  GetClientRect(window, &client);
  const int w = client.right;
  const int h = client.bottom;
  const int slot = w / 5;
  const RECT combo = ClientBoundsOf(kavri.Combo(), window);
  const int comboHeight = combo.bottom - combo.top;
  EXPECT_EQ(comboHeight, 20);
  const RECT list = ClientBoundsOf(kavri.List(), window);
  EXPECT_EQ(list.left, 0);
  EXPECT_EQ(list.top, 0);
  EXPECT_EQ(list.right, w);
  EXPECT_EQ(list.bottom, h - comboHeight - 24);
  EXPECT_EQ(combo.top, list.bottom);
  EXPECT_EQ(combo.right - combo.left, w);

  const wchar_t* captions[] = {L"Copy", L"Move", L"Del", L"Quit"};
  const int lefts[] = {0, slot, 2 * slot, 4 * slot};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(ToUtf8(captions[i]));
    HWND button = kavri.Button(captions[i]);
    ASSERT_NE(button, nullptr);
    const RECT bounds = ClientBoundsOf(button, window);
    EXPECT_EQ(bounds.left, lefts[i]);
    EXPECT_EQ(bounds.top, h - 24);
    EXPECT_EQ(bounds.right - bounds.left, slot);
    EXPECT_EQ(bounds.bottom - bounds.top, 24);
  }
}

TEST(Window, LayoutFollowsTheWindowSize) {
  Sandbox box;
  Kavri kavri(box.InstallKavri());
  HWND window = kavri.Window();
  ASSERT_NE(window, nullptr);
  SetWindowPos(window, nullptr, 0, 0, 400, 500, SWP_NOMOVE | SWP_NOZORDER);
  kavri.Settle();
  RECT client{};
  GetClientRect(window, &client);
  const RECT quit = ClientBoundsOf(kavri.Button(L"Quit"), window);
  EXPECT_EQ(quit.left, 4 * (client.right / 5));
  EXPECT_EQ(quit.top, client.bottom - 24);
  const RECT list = ClientBoundsOf(kavri.List(), window);
  EXPECT_EQ(list.right, client.right);
}

TEST(Window, CommandLineItemsAreListedAndTheFirstIsTheDestination) {
  Sandbox box;
  Kavri kavri(box.InstallKavri(), L"-q C:\\one.txt \"C:\\two with blank\"");
  ASSERT_NE(kavri.Window(), nullptr);
  EXPECT_EQ(kavri.ListLines(), (Lines{L"C:\\one.txt", L"C:\\two with blank"}));
  EXPECT_EQ(kavri.Destination(), L"");
}

TEST(Window, F1ClearsTheListAndTheDestination) {
  Sandbox box;
  Kavri kavri(box.InstallKavri(), L"C:\\a.txt C:\\b.txt");
  ASSERT_NE(kavri.Window(), nullptr);
  ASSERT_EQ(kavri.ListLines().size(), 2u);
  kavri.Type({{VK_F1}});
  EXPECT_TRUE(WaitUntil([&] { return kavri.ListLines().empty(); }));
  EXPECT_EQ(kavri.Destination(), L"");
}

TEST(Window, DeleteRemovesTheSelectedLines) {
  Sandbox box;
  Kavri kavri(box.InstallKavri(), L"C:\\0 C:\\1 C:\\2 C:\\3");
  ASSERT_NE(kavri.Window(), nullptr);
  kavri.Type({{VK_TAB}});
  kavri.Select(1);
  kavri.Select(2);
  kavri.Type({{VK_DELETE}});
  EXPECT_TRUE(WaitUntil([&] { return kavri.ListLines().size() == 2; }));
  EXPECT_EQ(kavri.ListLines(), (Lines{L"C:\\0", L"C:\\3"}));
}

TEST(Window, InsertCutsTheDestinationToItsFolder) {
  Sandbox box;
  Kavri kavri(box.InstallKavri());
  ASSERT_NE(kavri.Window(), nullptr);
  kavri.SetDestination(L"C:\\A\\B.TXT");
  kavri.Type({{VK_INSERT}});
  EXPECT_TRUE(WaitUntil([&] { return kavri.Destination() == L"C:\\A\\"; }));
}

TEST(Window, SecondStartHandsOverOnlyItsFirstArgumentAndShowsNoWindow) {
  Sandbox box;
  const std::wstring exe = box.InstallKavri();
  Kavri kavri(exe, L"C:\\listed.txt");
  ASSERT_NE(kavri.Window(), nullptr);

  DWORD exitCode = 99;
  ASSERT_TRUE(RunToEnd(exe, L"C:\\first.txt C:\\second.txt C:\\third.txt", 15s, &exitCode));
  EXPECT_EQ(exitCode, 0u);
  EXPECT_TRUE(WaitUntil([&] { return kavri.ListLines().size() == 2; }));
  kavri.Settle();
  EXPECT_EQ(kavri.ListLines(), (Lines{L"C:\\listed.txt", L"C:\\first.txt"}));
  // Only one kavri window on the desktop.
  EXPECT_EQ(FindWindowExW(nullptr, kavri.Window(), L"TKVMain", L"kavri"), nullptr);
}

TEST(Window, SecondStartWithoutArgumentsChangesNothing) {
  Sandbox box;
  const std::wstring exe = box.InstallKavri();
  Kavri kavri(exe, L"C:\\listed.txt");
  ASSERT_NE(kavri.Window(), nullptr);
  kavri.SetDestination(L"D:\\kept");

  DWORD exitCode = 99;
  ASSERT_TRUE(RunToEnd(exe, L"", 15s, &exitCode));
  EXPECT_EQ(exitCode, 0u);
  kavri.Settle();
  EXPECT_EQ(kavri.ListLines(), (Lines{L"C:\\listed.txt"}));
  EXPECT_EQ(kavri.Destination(), L"D:\\kept");
}

TEST(Window, EscapeInTheDestinationBoxClosesTheProgram) {
  Sandbox box;
  Kavri kavri(box.InstallKavri());
  ASSERT_NE(kavri.Window(), nullptr);
  kavri.Type({{VK_ESCAPE}});
  EXPECT_TRUE(kavri.WaitForExit(10s));
}

TEST(Window, QuitButtonAndCtrlQCloseTheProgram) {
  for (const bool byButton : {true, false}) {
    SCOPED_TRACE(byButton ? "Quit button" : "Ctrl+Q");
    Sandbox box;
    Kavri kavri(box.InstallKavri());
    ASSERT_NE(kavri.Window(), nullptr);
    if (byButton) {
      kavri.Click(L"Quit");
    } else {
      kavri.Type({{'Q', false, true}});
    }
    EXPECT_TRUE(kavri.WaitForExit(10s));
  }
}

}  // namespace
}  // namespace kavri::e2e
