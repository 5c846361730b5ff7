#include "platform/path_parts.h"

#include <gtest/gtest.h>

namespace kavri {
namespace {

// "表" in Shift-JIS is 0x95 0x5C: its second byte is a backslash byte.
const std::string kHyo = "\x95\x5C";
// "ソ" is 0x83 0x5C.
const std::string kSo = "\x83\x5C";

struct PartsCase {
  std::string path;
  bool shiftJis;
  std::string folderPart;
  std::string fileName;
  std::string extension;
  std::string folder;
  std::string nameWithoutExtension;
};

TEST(PathParts, Table) {
  const PartsCase cases[] = {
      {"C:\\Data\\a.txt", false, "C:\\Data\\", "a.txt", ".txt", "C:\\Data", "a"},
      {"C:\\a.txt", false, "C:\\", "a.txt", ".txt", "C:\\", "a"},
      {"C:\\", false, "C:\\", "", "", "C:\\", ""},
      {"C:", false, "C:", "", "", "C:", ""},
      {"C:a.txt", false, "C:", "a.txt", ".txt", "C:", "a"},
      {"B.TXT", false, "", "B.TXT", ".TXT", "", "B"},
      {"", false, "", "", "", "", ""},
      {"\\\\server\\share\\x", false, "\\\\server\\share\\", "x", "", "\\\\server\\share", "x"},
      {"\\\\", false, "\\\\", "", "", "\\\\", ""},
      {"\\a", false, "\\", "a", "", "\\", "a"},
      {"C:\\dir.d\\file", false, "C:\\dir.d\\", "file", "", "C:\\dir.d", "file"},
      {"C:\\x\\archive.tar.gz", false, "C:\\x\\", "archive.tar.gz", ".gz", "C:\\x", "archive.tar"},
      {"C:\\x\\.hidden", false, "C:\\x\\", ".hidden", ".hidden", "C:\\x", ""},
      {"D:\\A\\", false, "D:\\A\\", "", "", "D:\\A", ""},
      // Trail bytes of 0x5C are no delimiters in Shift-JIS...
      {"C:\\" + kHyo, true, "C:\\", kHyo, "", "C:\\", kHyo},
      {"C:\\" + kHyo + "\\a.lnk", true, "C:\\" + kHyo + "\\", "a.lnk", ".lnk", "C:\\" + kHyo, "a"},
      {"C:\\" + kSo + kHyo + ".txt", true, "C:\\", kSo + kHyo + ".txt", ".txt", "C:\\",
       kSo + kHyo},
      {kHyo, true, "", kHyo, "", "", kHyo},
      // ...but the same bytes in a single-byte page are two characters.
      {"C:\\" + kHyo, false, "C:\\\x95\\", "", "", "C:\\\x95", ""},
  };
  for (const PartsCase& c : cases) {
    SCOPED_TRACE(c.path + (c.shiftJis ? " (Shift-JIS)" : " (single byte)"));
    const CodePage cp = c.shiftJis ? CodePage::ShiftJis() : CodePage::SingleByte();
    EXPECT_EQ(FolderPart(c.path, cp), c.folderPart);
    EXPECT_EQ(FileName(c.path, cp), c.fileName);
    EXPECT_EQ(Extension(c.path, cp), c.extension);
    EXPECT_EQ(Folder(c.path, cp), c.folder);
    EXPECT_EQ(NameWithoutExtension(c.path, cp), c.nameWithoutExtension);
  }
}

TEST(PathParts, FolderKeepsBackslashOnlyAfterASingleByteDelimiter) {
  const CodePage sjis = CodePage::ShiftJis();
  // The character before the last backslash is 表, not a backslash.
  EXPECT_EQ(Folder("C:\\" + kHyo + "\\x", sjis), "C:\\" + kHyo);
  EXPECT_EQ(Folder("C:\\\\x", sjis), "C:\\\\");
}

TEST(PathParts, BackslashTestsSkipTrailBytes) {
  const CodePage sjis = CodePage::ShiftJis();
  const CodePage single = CodePage::SingleByte();
  EXPECT_FALSE(ContainsBackslash(kHyo + kSo, sjis));
  EXPECT_TRUE(ContainsBackslash(kHyo + kSo, single));
  EXPECT_TRUE(ContainsBackslash("Backup\\", sjis));
  EXPECT_FALSE(ContainsBackslash("Backup", sjis));

  EXPECT_FALSE(EndsWithBackslash("D:\\" + kHyo, sjis));
  EXPECT_TRUE(EndsWithBackslash("D:\\" + kHyo, single));
  EXPECT_TRUE(EndsWithBackslash("D:\\" + kHyo + "\\", sjis));
  EXPECT_TRUE(EndsWithBackslash("D:\\", sjis));
  EXPECT_FALSE(EndsWithBackslash("", sjis));
  EXPECT_FALSE(EndsWithBackslash("D:", sjis));
}

TEST(PathParts, LoneLeadByteAtTheEndIsItsOwnCharacter) {
  const CodePage sjis = CodePage::ShiftJis();
  EXPECT_EQ(FileName("C:\\a\x95", sjis), "a\x95");
  EXPECT_EQ(LastDelimiter("a\x95", sjis), kNoDelimiter);
}

TEST(CodePage, LowerCaseLeavesDoubleByteCharactersAlone) {
  // 0x82 0x60 is "Ａ" in Shift-JIS; its trail byte is an ASCII "`", and
  // 0x83 0x41 is "ア" whose trail byte is "A".
  EXPECT_EQ(CodePage::ShiftJis().LowerCase("X.LNK\x83\x41"), "x.lnk\x83\x41");
  EXPECT_EQ(CodePage::SingleByte().LowerCase("X.LNK\x83\x41"), "x.lnk\x83\x61");
}

}  // namespace
}  // namespace kavri
