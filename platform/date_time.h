#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kavri {

// A local date and time as the user means it; no time zone is attached.
struct DateTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;

  friend bool operator==(const DateTime&, const DateTime&) = default;
};

// The day a text with a time but no date falls on: day zero of the classic
// date-time type, 1899-12-30.
inline constexpr int kZeroDayYear = 1899;
inline constexpr int kZeroDayMonth = 12;
inline constexpr int kZeroDayDay = 30;

enum class DateOrder { MonthDayYear, DayMonthYear, YearMonthDay };

// How the system writes and reads a short date and a time. Texts are in the
// system ANSI code page; a separator may be longer than one byte. An empty
// separator never matches, so a format without one reads no date (or time)
// of two or more numbers.
struct DateFormat {
  DateOrder order = DateOrder::MonthDayYear;
  std::string dateSeparator = "/";
  std::string timeSeparator = ":";
  std::string amDesignator = "AM";
  std::string pmDesignator = "PM";

  friend bool operator==(const DateFormat&, const DateFormat&) = default;
};

// Reads a date and an optional time the way the user types them into the
// destination box:
//   [blanks] date [blanks time] [blanks]     or     [blanks] time [blanks]
// date: two or three numbers joined by the date separator, in the format's
//   order; with two numbers the year is `currentYear` and the two are month
//   and day (day and month for DayMonthYear). A year of one or two digits is
//   put in the century that lands it in [currentYear - 50, currentYear + 49];
//   three or four digits are taken as they stand. Three numbers whose first
//   has three or four digits are read year, month, day in every order, so
//   the text FormatTimestamp offers reads back everywhere.
// time: hour, minute, optionally second and then "." and milliseconds, joined
//   by the time separator, optionally followed by an AM or PM designator (the
//   format's, or plain "AM"/"PM", any case), which takes an hour of 1 to 12.
// Numbers are 1 to 4 digits (milliseconds 1 to 3). Blanks are spaces and
// tabs. A time alone falls on 1899-12-30; where both separators are the same
// ("10.30"), a text that reads as a valid date is a date. Anything else, or a value out of
// range (year 1..9999, a day the month has, hour 0..23, minute and second
// 0..59), gives none.
std::optional<DateTime> ParseDateTime(std::string_view text, const DateFormat& format,
                                      int currentYear);

// "yyyy/mm/dd hh:mm:ss" with the format's separators in place of "/" and ":",
// on a 24-hour clock.
std::string FormatTimestamp(const DateTime& value, const DateFormat& format);

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);  // 0 for a month outside 1..12

// The DOS date-time form that file times pass through.
struct DosDateTime {
  std::uint16_t date = 0;  // (year - 1980) << 9 | month << 5 | day
  std::uint16_t time = 0;  // hour << 11 | minute << 5 | second / 2

  friend bool operator==(const DosDateTime&, const DosDateTime&) = default;
};

inline constexpr int kFirstDosYear = 1980;
// The field would hold years up to 2107; kavri stamps up to 2099 only, the
// limit its users have always been told.
inline constexpr int kLastDosYear = 2099;

// None outside 1980..2099 or for a value that is no valid date-time. Seconds
// are rounded down to even; milliseconds are dropped.
std::optional<DosDateTime> ToDosDateTime(const DateTime& value);
DateTime FromDosDateTime(DosDateTime value);

// What a short date picture such as "yyyy/MM/dd" or "d.M.yyyy" tells about the
// order and the separator; quoted literals are skipped. None when the picture
// has no day, month or year field (or no text between the first two fields).
std::optional<DateOrder> DateOrderFromPicture(std::string_view picture);
std::optional<std::string> DateSeparatorFromPicture(std::string_view picture);
// The separator between hours and minutes in a time picture such as
// "HH:mm:ss" or "tt h.mm".
std::optional<std::string> TimeSeparatorFromPicture(std::string_view picture);

}  // namespace kavri
