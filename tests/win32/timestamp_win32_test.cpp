// The timestamp command's whole road on real files: the system's date
// format, the parser, the DOS form, the time-zone rule of the date, and the
// file's last-write time.

#include <gtest/gtest.h>

#include "platform/win32/date_time.h"
#include "platform/win32/file_stamper.h"
#include "unit/fakes.h"
#include "utilities/timestamp.h"
#include "win32/temp_dir.h"

namespace kavri {
namespace {

using testing::Narrow;
using testing::TempDir;
using testing::WriteWholeFile;

SYSTEMTIME WriteTimeUtc(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
  SYSTEMTIME utc{};
  FileTimeToSystemTime(&data.ftLastWriteTime, &utc);
  return utc;
}

SYSTEMTIME WriteTimeLocal(const std::wstring& path) {
  const SYSTEMTIME utc = WriteTimeUtc(path);
  SYSTEMTIME local{};
  SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
  return local;
}

std::string Describe(const SYSTEMTIME& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay,
                t.wHour, t.wMinute, t.wSecond);
  return text;
}

// Stamps the listed paths with `text` through the real command.
TimestampOutcome Stamp(const std::string& text, const LineList& paths) {
  testing::FakeItemList list(paths);
  testing::FakeDestinationBox box;
  box.text = text;
  Win32FileStamper stamper;
  return StampListedFiles(list, box, stamper, SystemDateFormat(), LocalNow());
}

TEST(TimestampJapanese, YearMonthDayTextStampsFilesToTheEvenSecondAndSkipsFolders) {
  ASSERT_EQ(GetACP(), 932u) << "runs with the Japanese locale";
  TempDir temp;
  ASSERT_TRUE(WriteWholeFile(temp.Path(L"a.txt"), "a"));
  ASSERT_TRUE(CreateDirectoryW(temp.Path(L"Folder").c_str(), nullptr));
  const SYSTEMTIME folderBefore = WriteTimeUtc(temp.Path(L"Folder"));
  EXPECT_EQ(Stamp("2001/01/01 10:00:01", {Narrow(temp.Path(L"a.txt")), Narrow(temp.Path(L"Folder"))}),
            TimestampOutcome::Stamped);
  EXPECT_EQ(Describe(WriteTimeLocal(temp.Path(L"a.txt"))), "2001-01-01 10:00:00");
  EXPECT_EQ(Describe(WriteTimeUtc(temp.Path(L"Folder"))), Describe(folderBefore));
}

// Runs with TZ=Europe/Berlin. Whatever the season today, a winter date gets
// the winter offset (UTC+1) and a summer date the summer one (UTC+2).
TEST(TimestampDaylightSaving, EachDateIsStampedWithItsOwnSeasonsOffset) {
  TIME_ZONE_INFORMATION zone{};
  GetTimeZoneInformation(&zone);
  if (zone.Bias != -60 || zone.DaylightDate.wMonth == 0) {
    GTEST_SKIP() << "Wine picked no zone with summer time (bias " << zone.Bias << ")";
  }
  TempDir temp;
  ASSERT_TRUE(WriteWholeFile(temp.Path(L"winter.txt"), "w"));
  ASSERT_TRUE(WriteWholeFile(temp.Path(L"summer.txt"), "s"));
  // The default locale reads month/day/year; the offered form reads too.
  ASSERT_EQ(Stamp("01/15/2001 10:00:00", {Narrow(temp.Path(L"winter.txt"))}),
            TimestampOutcome::Stamped);
  ASSERT_EQ(Stamp("2001/07/15 10:00:00", {Narrow(temp.Path(L"summer.txt"))}),
            TimestampOutcome::Stamped);
  EXPECT_EQ(Describe(WriteTimeUtc(temp.Path(L"winter.txt"))), "2001-01-15 09:00:00");
  EXPECT_EQ(Describe(WriteTimeUtc(temp.Path(L"summer.txt"))), "2001-07-15 08:00:00");
}

TEST(Timestamp, BusyAndReadOnlyFilesAreSkippedTheOthersStamped) {
  TempDir temp;
  for (const wchar_t* name : {L"busy.txt", L"readonly.txt", L"free.txt"}) {
    ASSERT_TRUE(WriteWholeFile(temp.Path(name), "x"));
  }
  SetFileAttributesW(temp.Path(L"readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  const SYSTEMTIME busyBefore = WriteTimeUtc(temp.Path(L"busy.txt"));
  const SYSTEMTIME readOnlyBefore = WriteTimeUtc(temp.Path(L"readonly.txt"));
  HANDLE busy = CreateFileW(temp.Path(L"busy.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(busy, INVALID_HANDLE_VALUE);
  EXPECT_EQ(Stamp("2001/01/01 10:00:00", {Narrow(temp.Path(L"busy.txt")),
                                          Narrow(temp.Path(L"readonly.txt")),
                                          Narrow(temp.Path(L"missing.txt")),
                                          Narrow(temp.Path(L"free.txt"))}),
            TimestampOutcome::Stamped);
  CloseHandle(busy);
  // Windows refuses to open a read-only file for writing. Wine maps the
  // attribute to Unix permissions, which do not hold for root, so there the
  // file opens and is stamped. Either way a file is stamped exactly when it
  // opens for writing.
  HANDLE probe = CreateFileW(temp.Path(L"readonly.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                             OPEN_EXISTING, 0, nullptr);
  const bool readOnlyOpens = probe != INVALID_HANDLE_VALUE;
  if (readOnlyOpens) CloseHandle(probe);
  SetFileAttributesW(temp.Path(L"readonly.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(Describe(WriteTimeUtc(temp.Path(L"busy.txt"))), Describe(busyBefore));
  EXPECT_EQ(readOnlyOpens ? Describe(WriteTimeLocal(temp.Path(L"readonly.txt")))
                          : Describe(WriteTimeUtc(temp.Path(L"readonly.txt"))),
            readOnlyOpens ? "2001-01-01 10:00:00" : Describe(readOnlyBefore));
  EXPECT_EQ(Describe(WriteTimeLocal(temp.Path(L"free.txt"))), "2001-01-01 10:00:00");
}

}  // namespace
}  // namespace kavri
