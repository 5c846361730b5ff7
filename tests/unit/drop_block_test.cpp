#include "app/drop_block.h"

#include <gtest/gtest.h>

#include <vector>

namespace kavri {
namespace {

using Bytes = std::vector<unsigned char>;

// The block a second start builds for one path: header, path, NUL, NUL.
Bytes BlockFor(const std::string& path) {
  Bytes block(kDropHeaderSize);
  WriteDropHeader(std::span<unsigned char, kDropHeaderSize>(block.data(), kDropHeaderSize));
  block.insert(block.end(), path.begin(), path.end());
  block.push_back(0);
  block.push_back(0);
  return block;
}

TEST(DropBlock, HeaderBytes) {
  Bytes header(kDropHeaderSize, 0xEE);
  WriteDropHeader(std::span<unsigned char, kDropHeaderSize>(header.data(), kDropHeaderSize));
  EXPECT_EQ(header, (Bytes{16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0}));
}

TEST(DropBlock, ParsesTheBlockOfOnePath) {
  const Bytes block = BlockFor("C:\\a b\\c.txt");
  EXPECT_EQ(block.size(), 18u + 12u);
  EXPECT_EQ(ParseDropBlock(block), LineList{"C:\\a b\\c.txt"});
  EXPECT_EQ(DropListEnd(block), 16u + 13u);
}

TEST(DropBlock, EmptyPathMakesAnEmptyList) {
  EXPECT_EQ(ParseDropBlock(BlockFor("")), LineList{});
  EXPECT_EQ(DropListEnd(BlockFor("")), 16u);
}

TEST(DropBlock, ParsesSeveralPaths) {
  Bytes block = BlockFor("a");
  block.pop_back();
  for (char c : std::string("bc")) block.push_back(static_cast<unsigned char>(c));
  block.push_back(0);
  block.push_back(0);
  EXPECT_EQ(ParseDropBlock(block), (LineList{"a", "bc"}));
}

TEST(DropBlock, RefusesMalformedBlocks) {
  const Bytes good = BlockFor("x");
  struct Case {
    const char* what;
    Bytes block;
  };
  Bytes otherOffset = good;
  otherOffset[0] = 20;
  Bytes hugeOffset = good;
  hugeOffset[3] = 0x80;
  Bytes noListEnd = good;
  noListEnd.pop_back();
  Bytes noTerminator(good.begin(), good.begin() + 17);
  const Case cases[] = {
      {"empty", {}},
      {"header only", Bytes(good.begin(), good.begin() + 16)},
      {"other list offset", otherOffset},
      {"offset far outside", hugeOffset},
      {"path without the end of the list", noListEnd},
      {"path without its NUL", noTerminator},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ParseDropBlock(c.block), std::nullopt);
    EXPECT_EQ(DropListEnd(c.block), std::nullopt);
  }
}

// The 20-byte form the shell sends, with 8-bit or UTF-16 paths.
Bytes ShellDrop(const std::vector<std::u16string>& paths, bool wide) {
  Bytes block = {20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                 static_cast<unsigned char>(wide), 0, 0, 0};
  auto put = [&](char16_t c) {
    block.push_back(static_cast<unsigned char>(c & 0xFF));
    if (wide) block.push_back(static_cast<unsigned char>(c >> 8));
  };
  for (const std::u16string& path : paths) {
    for (char16_t c : path) put(c);
    put(0);
  }
  put(0);
  return block;
}

TEST(DropFiles, ReadsEveryPathInOnePass) {
  const auto wide = ParseDropFiles(ShellDrop({u"C:\\a", u"D:\\\x0100\x4E00"}, true));
  ASSERT_TRUE(wide);
  EXPECT_TRUE(wide->wide);
  // U+0100 has a zero byte that is no end of a UTF-16 path.
  EXPECT_EQ(wide->widePaths, (std::vector<std::u16string>{u"C:\\a", u"D:\\\x0100\x4E00"}));

  const auto narrow = ParseDropFiles(ShellDrop({u"C:\\a", u"C:\\b"}, false));
  ASSERT_TRUE(narrow);
  EXPECT_FALSE(narrow->wide);
  EXPECT_EQ(narrow->narrowPaths, (LineList{"C:\\a", "C:\\b"}));

  const auto none = ParseDropFiles(ShellDrop({}, true));
  ASSERT_TRUE(none);
  EXPECT_TRUE(none->widePaths.empty());
}

TEST(DropFiles, UnreadableBlocks) {
  Bytes cut = ShellDrop({u"C:\\a"}, true);
  cut.resize(cut.size() - 2);
  Bytes oddEnd = ShellDrop({u"C:\\a"}, true);
  oddEnd.pop_back();
  Bytes outside = ShellDrop({u"C:\\a"}, true);
  outside[0] = 200;
  Bytes inHeader = ShellDrop({u"C:\\a"}, true);
  inHeader[0] = 16;
  Bytes headerOnly = ShellDrop({}, true);
  headerOnly.resize(20);
  struct Case {
    const char* what;
    Bytes block;
  };
  const Case cases[] = {
      {"empty", {}},
      {"header only", headerOnly},
      {"no end of list", cut},
      {"half a character at the end", oddEnd},
      {"list offset outside", outside},
      {"list offset inside the header", inHeader},
      {"garbage", Bytes(64, 0xA5)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ParseDropFiles(c.block).has_value(), false);
  }
}

}  // namespace
}  // namespace kavri
