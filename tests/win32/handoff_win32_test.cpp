#include "app/handoff_win32.h"

#include <gtest/gtest.h>

#include <thread>

#include "app/drop_block.h"
#include "app/drop_block_win32.h"
#include "mainwindow/kvmain_win32.h"
#include "platform/win32/handles.h"
#include "win32/window_helpers.h"

namespace kavri {
namespace {

using testing::ChildOfClass;
using testing::ListLines;
using testing::PumpUntil;

class HandOffTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_.Construct({});
    list_ = ChildOfClass(window_.Handle(), "ListBox");
    ASSERT_NE(list_, nullptr);
    SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("C:\\listed before"));
  }

  // Sends from another thread, as a second start would from its process, and
  // keeps this window's thread pumping meanwhile.
  LRESULT SendFromOtherThread(ULONG_PTR tag, const void* data, DWORD size) {
    LRESULT result = -1;
    bool done = false;
    std::thread sender([&] {
      COPYDATASTRUCT copy{tag, size, const_cast<void*>(data)};
      DWORD_PTR answer = 0;
      SendMessageTimeoutA(window_.Handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy),
                          SMTO_NORMAL, 5000, &answer);
      result = static_cast<LRESULT>(answer);
      done = true;
    });
    PumpUntil([&] { return done; });
    sender.join();
    testing::PumpPending();
    return result;
  }

  TKVMain window_{GetModuleHandleA(nullptr)};
  HWND list_ = nullptr;
};

TEST_F(HandOffTest, BlockBytesReachTheList) {
  GlobalMemory block(NewDropBlock());
  HGLOBAL grown = AddDropFile(block.Get(), "C:\\handed over.txt");
  ASSERT_NE(grown, nullptr);
  block.Detach();
  GlobalMemory owned(grown);
  bool sent = false;
  std::thread sender([&] { sent = SendDropBlock(window_.Handle(), owned.Get()); });
  PumpUntil([&] { return sent; });
  sender.join();
  ASSERT_TRUE(PumpUntil([&] { return ListLines(list_).size() == 2; }));
  EXPECT_EQ(ListLines(list_),
            (std::vector<std::string>{"C:\\listed before", "C:\\handed over.txt"}));
}

TEST_F(HandOffTest, BogusPayloadsAreIgnored) {
  std::vector<unsigned char> good(16, 0);
  good[0] = 16;
  good[12] = 1;
  for (char c : std::string("C:\\x")) good.push_back(static_cast<unsigned char>(c));
  good.push_back(0);
  good.push_back(0);

  std::vector<unsigned char> noTerminator = good;
  noTerminator.resize(noTerminator.size() - 2);
  std::vector<unsigned char> otherOffset = good;
  otherOffset[0] = 20;
  const std::vector<unsigned char> garbage(64, 0xA5);

  struct Case {
    const char* what;
    ULONG_PTR tag;
    const void* data;
    DWORD size;
  };
  const Case cases[] = {
      {"other tag", 1, good.data(), static_cast<DWORD>(good.size())},
      {"no data", kWmDropFiles, nullptr, 0},
      {"too short", kWmDropFiles, good.data(), 10},
      {"no terminator", kWmDropFiles, noTerminator.data(), static_cast<DWORD>(noTerminator.size())},
      {"other list offset", kWmDropFiles, otherOffset.data(), static_cast<DWORD>(otherOffset.size())},
      {"garbage", kWmDropFiles, garbage.data(), static_cast<DWORD>(garbage.size())},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(SendFromOtherThread(c.tag, c.data, c.size), FALSE);
    EXPECT_EQ(ListLines(list_), std::vector<std::string>{"C:\\listed before"});
  }
  EXPECT_EQ(SendFromOtherThread(kWmDropFiles, good.data(), static_cast<DWORD>(good.size())), TRUE);
  EXPECT_EQ(ListLines(list_), (std::vector<std::string>{"C:\\listed before", "C:\\x"}));
  EXPECT_TRUE(IsWindow(window_.Handle()));
}

}  // namespace
}  // namespace kavri
