#include "app/drop_block_win32.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/drop_block.h"
#include "platform/win32/handles.h"

namespace kavri {
namespace {

std::vector<unsigned char> BytesOf(HGLOBAL block) {
  GlobalLockScope lock(block);
  return std::vector<unsigned char>(lock.Data(), lock.Data() + GlobalSize(block));
}

TEST(DropBlockWin32, NewBlockHoldsHeaderAndEmptyList) {
  GlobalMemory block(NewDropBlock());
  ASSERT_TRUE(block);
  EXPECT_EQ(GlobalFlags(block.Get()) & GMEM_LOCKCOUNT, 0u);
  EXPECT_EQ(BytesOf(block.Get()),
            (std::vector<unsigned char>{16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0}));
}

TEST(DropBlockWin32, PathOfNBytesGivesBlockOf18PlusN) {
  for (const std::string& path : {std::string(""), std::string("C:\\a.txt"),
                                 std::string(300, 'x'), std::string("C:\\\x95\x5C")}) {
    SCOPED_TRACE(path.size());
    GlobalMemory block(NewDropBlock());
    ASSERT_TRUE(block);
    HGLOBAL grown = AddDropFile(block.Get(), path);
    ASSERT_NE(grown, nullptr);
    block.Detach();
    GlobalMemory owned(grown);
    const std::vector<unsigned char> bytes = BytesOf(owned.Get());
    ASSERT_EQ(bytes.size(), 18 + path.size());
    EXPECT_EQ(std::string(bytes.begin() + 16, bytes.begin() + 16 + static_cast<long>(path.size())),
              path);
    EXPECT_EQ(bytes[16 + path.size()], 0);
    EXPECT_EQ(bytes[17 + path.size()], 0);
    EXPECT_EQ(GlobalFlags(owned.Get()) & GMEM_LOCKCOUNT, 0u);
  }
}

TEST(DropBlockWin32, GrowsAgainForASecondPath) {
  GlobalMemory block(NewDropBlock());
  HGLOBAL once = AddDropFile(block.Get(), "a");
  ASSERT_NE(once, nullptr);
  block.Detach();
  GlobalMemory first(once);
  HGLOBAL twice = AddDropFile(first.Get(), "bc");
  ASSERT_NE(twice, nullptr);
  first.Detach();
  GlobalMemory second(twice);
  const std::vector<unsigned char> bytes = BytesOf(second.Get());
  EXPECT_EQ(bytes.size(), 16u + 2 + 3 + 1);
  EXPECT_EQ(ParseDropBlock(bytes), (LineList{"a", "bc"}));
}

TEST(DropBlockWin32, RefusesABlockWithoutAListEnd) {
  GlobalMemory block(GlobalAlloc(kDropBlockFlags, 18));
  {
    GlobalLockScope lock(block.Get());
    lock.Data()[0] = 16;
    std::fill(lock.Data() + 16, lock.Data() + 18, 'x');
  }
  EXPECT_EQ(AddDropFile(block.Get(), "a"), nullptr);
  EXPECT_EQ(GlobalSize(block.Get()), 18u);
}

}  // namespace
}  // namespace kavri
