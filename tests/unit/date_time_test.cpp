#include "platform/date_time.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace kavri {
namespace {

constexpr int kThisYear = 2026;

// "午前" and "午後" in Shift-JIS; the trail byte of "前" is 0x4F, an ASCII "O".
const std::string kGozen = "\x8C\xDF\x91\x4F";
const std::string kGogo = "\x8C\xDF\x8C\xE3";

const DateFormat kYmd{DateOrder::YearMonthDay, "/", ":", "AM", "PM"};
const DateFormat kMdy{DateOrder::MonthDayYear, "/", ":", "AM", "PM"};
const DateFormat kDmy{DateOrder::DayMonthYear, "/", ":", "AM", "PM"};
const DateFormat kDmyDots{DateOrder::DayMonthYear, ".", ":", "", ""};
const DateFormat kDmyAllDots{DateOrder::DayMonthYear, ".", ".", "", ""};
const DateFormat kYmdAllDots{DateOrder::YearMonthDay, ".", ".", "", ""};
const DateFormat kYmdDashes{DateOrder::YearMonthDay, "-", ":", "AM", "PM"};
const DateFormat kJapanese{DateOrder::YearMonthDay, "/", ":", kGozen, kGogo};
const DateFormat kNoSeparator{DateOrder::YearMonthDay, "", ":", "AM", "PM"};

std::string Describe(const std::optional<DateTime>& v) {
  if (!v) return "none";
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", v->year, v->month, v->day,
                v->hour, v->minute, v->second, v->millisecond);
  return text;
}

DateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
  return DateTime{y, mo, d, h, mi, s, ms};
}

DateTime ZeroDayAt(int h, int mi, int s = 0, int ms = 0) {
  return At(kZeroDayYear, kZeroDayMonth, kZeroDayDay, h, mi, s, ms);
}

struct ParseCase {
  const char* name;
  const DateFormat* format;
  std::string text;
  std::optional<DateTime> expected;
};

TEST(ParseDateTime, Table) {
  const std::optional<DateTime> none;
  const ParseCase cases[] = {
      // Year, month, day with "/" and ":".
      {"ymd date", &kYmd, "2001/01/01", At(2001, 1, 1)},
      {"ymd date time", &kYmd, "2001/01/01 10:00:01", At(2001, 1, 1, 10, 0, 1)},
      {"ymd no seconds", &kYmd, "2001/1/2 3:04", At(2001, 1, 2, 3, 4)},
      {"ymd milliseconds", &kYmd, "2003/05/30 16:42:06.123", At(2003, 5, 30, 16, 42, 6, 123)},
      {"ymd blanks around", &kYmd, " \t2001/01/01   10:00 \t ", At(2001, 1, 1, 10, 0)},
      {"ymd four-digit numbers", &kYmd, "0999/0012/0031 0023:0059", At(999, 12, 31, 23, 59)},
      {"two numbers: this year", &kYmd, "5/30", At(kThisYear, 5, 30)},
      {"two numbers and time", &kYmd, "12/31 23:59:59", At(kThisYear, 12, 31, 23, 59, 59)},
      // AM and PM.
      {"pm", &kYmd, "2001/01/01 10:00 PM", At(2001, 1, 1, 22, 0)},
      {"pm without blank, lower case", &kYmd, "2001/01/01 9:15pm", At(2001, 1, 1, 21, 15)},
      {"12 am is midnight", &kYmd, "2001/01/01 12:00:30 am", At(2001, 1, 1, 0, 0, 30)},
      {"12 pm is noon", &kYmd, "2001/01/01 12:30 Pm", At(2001, 1, 1, 12, 30)},
      {"am keeps the hour", &kYmd, "2001/01/01 1:05 AM ", At(2001, 1, 1, 1, 5)},
      {"0 with pm", &kYmd, "2001/01/01 0:30 PM", none},
      {"13 with pm", &kYmd, "2001/01/01 13:00 PM", none},
      {"unknown designator", &kYmd, "2001/01/01 10:00 XM", none},
      {"designator alone", &kYmd, "2001/01/01 PM", none},
      {"system designator", &kJapanese, "2001/01/01 10:00 " + kGogo, At(2001, 1, 1, 22, 0)},
      {"plain AM on a Japanese system", &kJapanese, "2001/01/01 10:00 am", At(2001, 1, 1, 10, 0)},
      // A folded trail byte would turn "前" into another character.
      {"double-byte designator byte exact", &kJapanese, "2001/01/01 10:00 \x8C\xDF\x91\x6F", none},
      // Two-digit years: within 50 years of now, one century window.
      {"two-digit year ahead", &kYmd, "30/5/1", At(2030, 5, 1)},
      {"last year ahead", &kYmd, "75/1/1", At(2075, 1, 1)},
      {"first year behind", &kYmd, "76/1/1", At(1976, 1, 1)},
      {"one-digit year", &kYmd, "0/1/1", At(2000, 1, 1)},
      {"three-digit year", &kYmd, "999/1/1", At(999, 1, 1)},
      {"year 1", &kYmd, "0001/01/01", At(1, 1, 1)},
      {"year 0", &kYmd, "0000/01/01", none},
      {"five digits", &kYmd, "10000/1/1", none},
      // Leap days and month lengths.
      {"2000-02-29", &kYmd, "2000/02/29", At(2000, 2, 29)},
      {"1900-02-29", &kYmd, "1900/02/29", none},
      {"2024-02-29", &kYmd, "2024/02/29", At(2024, 2, 29)},
      {"2023-02-29", &kYmd, "2023/02/29", none},
      {"april 31", &kYmd, "2001/04/31", none},
      {"month 0", &kYmd, "2001/00/10", none},
      {"day 0", &kYmd, "2001/01/00", none},
      {"month 13", &kYmd, "2001/13/01", none},
      // Time ranges and shapes.
      {"hour 24", &kYmd, "2001/01/01 24:00:00", none},
      {"minute 60", &kYmd, "2001/01/01 10:60", none},
      {"second 60", &kYmd, "2001/01/01 10:00:60", none},
      {"hour alone", &kYmd, "2001/01/01 10", none},
      {"dangling time separator", &kYmd, "2001/01/01 10:", none},
      {"four-digit milliseconds", &kYmd, "2001/01/01 10:00:00.1234", none},
      {"milliseconds without seconds", &kYmd, "2001/01/01 10:00.5", none},
      {"time glued to date", &kYmd, "2001/01/0110:00", none},
      // A time alone falls on day zero.
      {"time alone", &kYmd, "10:30", ZeroDayAt(10, 30)},
      {"time alone with pm", &kMdy, " 10:30:15 PM ", ZeroDayAt(22, 30, 15)},
      {"time alone out of range", &kYmd, "25:00", none},
      // Month, day, year.
      {"mdy", &kMdy, "12/31/2001", At(2001, 12, 31)},
      {"mdy two-digit year", &kMdy, "12/31/01 8:00", At(2001, 12, 31, 8, 0)},
      {"mdy leap day pm", &kMdy, "2/29/2024 1:02:03 PM", At(2024, 2, 29, 13, 2, 3)},
      {"mdy two numbers", &kMdy, "12/31", At(kThisYear, 12, 31)},
      {"mdy read as dmy fails", &kMdy, "31/12/2001", none},
      // The offered text reads back whatever the order.
      {"mdy year first", &kMdy, "2003/05/30 16:42:06", At(2003, 5, 30, 16, 42, 6)},
      {"dmy year first", &kDmy, "2003/05/30", At(2003, 5, 30)},
      // Day, month, year.
      {"dmy", &kDmy, "31/12/2001 23:59:59", At(2001, 12, 31, 23, 59, 59)},
      {"dmy two numbers", &kDmy, "31/12", At(kThisYear, 12, 31)},
      {"dmy two numbers swapped fails", &kDmy, "12/31", none},
      {"dmy dots", &kDmyDots, "29.2.2024 7:05", At(2024, 2, 29, 7, 5)},
      {"dmy dots 2023-02-29", &kDmyDots, "29.2.2023", none},
      {"dmy dots refuses slashes", &kDmyDots, "29/2/2024", none},
      // Other separators, also the same one for date and time.
      {"dots for both", &kYmdAllDots, "2003.05.30 16.42.06", At(2003, 5, 30, 16, 42, 6)},
      {"dots: valid date wins", &kYmdAllDots, "10.30", At(kThisYear, 10, 30)},
      {"dots: otherwise a time", &kDmyAllDots, "10.30", ZeroDayAt(10, 30)},
      {"dots: dmy date and time", &kDmyAllDots, "30.05.2003 16.42", At(2003, 5, 30, 16, 42)},
      {"dashes", &kYmdDashes, "2003-05-30 16:42", At(2003, 5, 30, 16, 42)},
      {"dashes refuse slashes", &kYmdDashes, "2003/05/30", none},
      {"slashes refuse dashes", &kYmd, "2001-01-01", none},
      {"no separator reads no date", &kNoSeparator, "20030530", none},
      // Garbage.
      {"empty", &kYmd, "", none},
      {"blanks only", &kYmd, "   ", none},
      {"trailing letter", &kYmd, "2001/01/01x", none},
      {"trailing word after time", &kYmd, "2001/01/01 10:00 now", none},
      {"letters", &kYmd, "abc", none},
      {"too many numbers", &kYmd, "2001/01/01/01", none},
      {"dangling date separator", &kYmd, "2001/01/", none},
      {"one number", &kYmd, "2001", none},
      {"sign", &kYmd, "-2001/01/01", none},
      {"full-width digits", &kJapanese, "\x82\x51\x82\x4F\x82\x4F\x82\x50/1/1", none},
      {"double-byte after date", &kJapanese, "2001/01/01 \x95\x5C", none},
      {"double-byte inside date", &kJapanese,
       "2001\x95\x5C"
       "01/01",
       none},
  };
  for (const ParseCase& c : cases) {
    SCOPED_TRACE(std::string(c.name) + ": \"" + c.text + "\"");
    EXPECT_EQ(Describe(ParseDateTime(c.text, *c.format, kThisYear)), Describe(c.expected));
  }
}

TEST(ParseDateTime, YearWindowFollowsTheCurrentYear) {
  EXPECT_EQ(Describe(ParseDateTime("50/1/1", kYmd, 2000)), Describe(At(1950, 1, 1)));
  EXPECT_EQ(Describe(ParseDateTime("49/1/1", kYmd, 2000)), Describe(At(2049, 1, 1)));
  EXPECT_EQ(Describe(ParseDateTime("50/1/1", kYmd, 2100)), Describe(At(2050, 1, 1)));
  EXPECT_EQ(Describe(ParseDateTime("49/1/1", kYmd, 2100)), Describe(At(2149, 1, 1)));
  EXPECT_EQ(Describe(ParseDateTime("1/2", kMdy, 1999)), Describe(At(1999, 1, 2)));
}

TEST(FormatTimestamp, UsesTheSystemSeparators) {
  const DateTime offered = At(2003, 5, 30, 16, 42, 6, 789);
  EXPECT_EQ(FormatTimestamp(offered, kYmd), "2003/05/30 16:42:06");
  EXPECT_EQ(FormatTimestamp(offered, kYmdAllDots), "2003.05.30 16.42.06");
  // The order of the system does not change the offered text.
  EXPECT_EQ(FormatTimestamp(offered, kDmyDots), "2003.05.30 16:42:06");
  EXPECT_EQ(FormatTimestamp(At(999, 1, 2, 3, 4, 5), kYmdDashes), "0999-01-02 03:04:05");
  EXPECT_EQ(FormatTimestamp(offered, DateFormat{DateOrder::YearMonthDay, ". ", "h", "", ""}),
            "2003. 05. 30 16h42h06");
}

TEST(FormatTimestamp, ReadsBackInEveryOrder) {
  const DateTime value = At(2003, 5, 30, 16, 42, 6);
  for (const DateFormat* format : {&kYmd, &kMdy, &kDmy, &kDmyAllDots, &kYmdDashes, &kJapanese}) {
    SCOPED_TRACE(FormatTimestamp(value, *format));
    EXPECT_EQ(Describe(ParseDateTime(FormatTimestamp(value, *format), *format, kThisYear)),
              Describe(value));
  }
}

TEST(DosDateTime, DropsOddSecondAndMilliseconds) {
  const std::optional<DosDateTime> dos = ToDosDateTime(At(2001, 1, 1, 10, 0, 1, 999));
  ASSERT_TRUE(dos.has_value());
  EXPECT_EQ(dos->date, (21 << 9) | (1 << 5) | 1);
  EXPECT_EQ(dos->time, 10 << 11);
  EXPECT_EQ(Describe(FromDosDateTime(*dos)), Describe(At(2001, 1, 1, 10, 0, 0)));
}

struct DosCase {
  DateTime local;
  std::optional<DosDateTime> expected;
};

TEST(DosDateTime, Range) {
  const DosCase cases[] = {
      {At(1979, 12, 31, 23, 59, 59), std::nullopt},
      {At(1980, 1, 1, 0, 0, 0), DosDateTime{(1 << 5) | 1, 0}},
      {At(2099, 12, 31, 23, 59, 59),
       DosDateTime{(119 << 9) | (12 << 5) | 31, (23 << 11) | (59 << 5) | 29}},
      {At(2100, 1, 1, 0, 0, 0), std::nullopt},
      // The field could hold 2107; kavri stops at 2099.
      {At(2107, 12, 31), std::nullopt},
      {At(2001, 2, 29), std::nullopt},
      {At(2001, 1, 1, 24, 0, 0), std::nullopt},
      {At(kZeroDayYear, kZeroDayMonth, kZeroDayDay, 10, 0), std::nullopt},
  };
  for (const DosCase& c : cases) {
    SCOPED_TRACE(FormatTimestamp(c.local, kYmd));
    const std::optional<DosDateTime> dos = ToDosDateTime(c.local);
    ASSERT_EQ(dos.has_value(), c.expected.has_value());
    if (dos) {
      EXPECT_EQ(dos->date, c.expected->date);
      EXPECT_EQ(dos->time, c.expected->time);
    }
  }
  EXPECT_EQ(Describe(FromDosDateTime(*ToDosDateTime(At(2099, 12, 31, 23, 59, 59)))),
            Describe(At(2099, 12, 31, 23, 59, 58)));
}

TEST(DosDateTime, RoundTrip) {
  const DateTime values[] = {
      At(1980, 1, 1),         At(1999, 12, 31, 23, 59, 58), At(2000, 2, 29, 12, 30, 0),
      At(2001, 7, 15, 10, 0), At(2038, 1, 19, 3, 14, 6),    At(2099, 12, 31, 23, 59, 58),
  };
  for (const DateTime& value : values) {
    SCOPED_TRACE(FormatTimestamp(value, kYmd));
    const std::optional<DosDateTime> dos = ToDosDateTime(value);
    ASSERT_TRUE(dos.has_value());
    EXPECT_EQ(Describe(FromDosDateTime(*dos)), Describe(value));
  }
}

struct PictureCase {
  std::string picture;
  std::optional<DateOrder> order;
  std::optional<std::string> separator;
};

TEST(DatePicture, OrderAndSeparator) {
  const PictureCase cases[] = {
      {"M/d/yyyy", DateOrder::MonthDayYear, "/"},
      {"yyyy/MM/dd", DateOrder::YearMonthDay, "/"},
      {"dd.MM.yyyy", DateOrder::DayMonthYear, "."},
      {"yyyy-MM-dd", DateOrder::YearMonthDay, "-"},
      {"yyyy. MM. dd.", DateOrder::YearMonthDay, ". "},
      {"gg y/M/d", DateOrder::YearMonthDay, "/"},
      {"'d 'dd-MM-yy", DateOrder::DayMonthYear, "-"},
      {"d'/'M'/'yyyy", DateOrder::DayMonthYear, "/"},
      {"yyyyMMdd", DateOrder::YearMonthDay, std::nullopt},
      {"yyyy", DateOrder::YearMonthDay, std::nullopt},
      {"", std::nullopt, std::nullopt},
  };
  for (const PictureCase& c : cases) {
    SCOPED_TRACE(c.picture);
    EXPECT_EQ(DateOrderFromPicture(c.picture), c.order);
    EXPECT_EQ(DateSeparatorFromPicture(c.picture), c.separator);
  }
}

TEST(TimePicture, Separator) {
  const std::pair<std::string, std::optional<std::string>> cases[] = {
      {"HH:mm:ss", ":"},    {"h:mm:ss tt", ":"},  {"tt h:mm:ss", ":"},
      {"H.mm", "."},        {"HH'h'mm", "h"},     {"tt hh mm", " "},
      {"tt", std::nullopt}, {"HH", std::nullopt}, {"", std::nullopt},
  };
  for (const auto& [picture, separator] : cases) {
    SCOPED_TRACE(picture);
    EXPECT_EQ(TimeSeparatorFromPicture(picture), separator);
  }
}

TEST(Calendar, DaysInMonth) {
  EXPECT_EQ(DaysInMonth(2001, 1), 31);
  EXPECT_EQ(DaysInMonth(2001, 4), 30);
  EXPECT_EQ(DaysInMonth(2001, 2), 28);
  EXPECT_EQ(DaysInMonth(2004, 2), 29);
  EXPECT_EQ(DaysInMonth(2100, 2), 28);
  EXPECT_EQ(DaysInMonth(2400, 2), 29);
  EXPECT_EQ(DaysInMonth(2001, 0), 0);
  EXPECT_EQ(DaysInMonth(2001, 13), 0);
}

}  // namespace
}  // namespace kavri
