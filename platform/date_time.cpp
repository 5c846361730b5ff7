#include "platform/date_time.h"

#include <array>

#include "platform/decimal_text.h"

namespace kavri {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

struct Number {
  int value = 0;
  int digits = 0;
};

// Reads the text left to right. Every byte that is not a digit, a blank or
// part of an expected separator or designator stops the scan, so a
// double-byte character (whose trail byte may look like an ASCII letter) can
// only make a text invalid, never be half-read as something else.
class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) {}

  bool AtEnd() const { return pos_ == text_.size(); }
  std::string_view Rest() const { return text_.substr(pos_); }
  void SkipRest() { pos_ = text_.size(); }

  // True when at least one blank was skipped.
  bool SkipBlanks() {
    const std::size_t start = pos_;
    while (pos_ < text_.size() && IsBlank(text_[pos_]))
      ++pos_;
    return pos_ != start;
  }

  bool Take(std::string_view literal) {
    if (literal.empty() || Rest().substr(0, literal.size()) != literal) return false;
    pos_ += literal.size();
    return true;
  }

  std::optional<Number> TakeNumber(int maxDigits) {
    Number n;
    while (pos_ < text_.size() && IsDigit(text_[pos_])) {
      if (n.digits == maxDigits) return std::nullopt;
      n.value = n.value * 10 + (text_[pos_] - '0');
      ++n.digits;
      ++pos_;
    }
    if (n.digits == 0) return std::nullopt;
    return n;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

constexpr int kMaxDigits = 4;
constexpr int kMaxMillisecondDigits = 3;

struct Date {
  int year = 0;
  int month = 0;
  int day = 0;
};

int WindowedYear(Number year, int currentYear) {
  if (year.digits > 2) return year.value;
  const int first = currentYear - 50;
  const int offset = ((year.value - first) % 100 + 100) % 100;
  return first + offset;
}

bool IsValidDate(int year, int month, int day) {
  return year >= 1 && year <= 9999 && day >= 1 && day <= DaysInMonth(year, month);
}

bool IsValidTime(int hour, int minute, int second, int millisecond) {
  return hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 && second <= 59 &&
         millisecond >= 0 && millisecond <= 999;
}

std::optional<Date> ScanDate(Scanner& in, const DateFormat& format, int currentYear) {
  std::array<Number, 3> n{};
  int count = 0;
  for (; count < 3; ++count) {
    if (count > 0 && !in.Take(format.dateSeparator)) break;
    const std::optional<Number> number = in.TakeNumber(kMaxDigits);
    if (!number) return std::nullopt;
    n[static_cast<std::size_t>(count)] = *number;
  }
  if (count < 2) return std::nullopt;

  Date date;
  if (count == 2) {
    date.year = currentYear;
    const bool dayFirst = format.order == DateOrder::DayMonthYear;
    date.month = (dayFirst ? n[1] : n[0]).value;
    date.day = (dayFirst ? n[0] : n[1]).value;
  } else {
    // A first number of three or four digits can only be a year, whatever
    // the order; this is how the offered "yyyy/mm/dd hh:mm:ss" text reads
    // back on a month-day-year or day-month-year system.
    const DateOrder order = n[0].digits > 2 ? DateOrder::YearMonthDay : format.order;
    switch (order) {
      case DateOrder::MonthDayYear:
        date = {WindowedYear(n[2], currentYear), n[0].value, n[1].value};
        break;
      case DateOrder::DayMonthYear:
        date = {WindowedYear(n[2], currentYear), n[1].value, n[0].value};
        break;
      case DateOrder::YearMonthDay:
        date = {WindowedYear(n[0], currentYear), n[1].value, n[2].value};
        break;
    }
  }
  if (!IsValidDate(date.year, date.month, date.day)) return std::nullopt;
  return date;
}

// Designators are compared without regard to the case of ASCII letters. One
// with a byte past ASCII (Japanese "午前") is compared byte for byte, since
// folding a trail byte would match another character.
bool SameDesignator(std::string_view typed, std::string_view designator) {
  if (designator.empty() || typed.size() != designator.size()) return false;
  bool ascii = true;
  for (char c : designator)
    ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (!ascii) return typed == designator;
  for (std::size_t i = 0; i < typed.size(); ++i) {
    auto fold = [](char c) {
      return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    };
    if (fold(typed[i]) != fold(designator[i])) return false;
  }
  return true;
}

struct Time {
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

// Reads the time and whatever designator follows it, up to the end of the
// text but for trailing blanks.
std::optional<Time> ScanTime(Scanner& in, const DateFormat& format) {
  Time time;
  const std::optional<Number> hour = in.TakeNumber(kMaxDigits);
  if (!hour || !in.Take(format.timeSeparator)) return std::nullopt;
  const std::optional<Number> minute = in.TakeNumber(kMaxDigits);
  if (!minute) return std::nullopt;
  time.hour = hour->value;
  time.minute = minute->value;
  if (in.Take(format.timeSeparator)) {
    const std::optional<Number> second = in.TakeNumber(kMaxDigits);
    if (!second) return std::nullopt;
    time.second = second->value;
    if (in.Take(".")) {
      const std::optional<Number> millisecond = in.TakeNumber(kMaxMillisecondDigits);
      if (!millisecond) return std::nullopt;
      time.millisecond = millisecond->value;
    }
  }

  in.SkipBlanks();
  std::string_view designator = in.Rest();
  while (!designator.empty() && IsBlank(designator.back()))
    designator.remove_suffix(1);
  if (!designator.empty()) {
    const bool am =
        SameDesignator(designator, format.amDesignator) || SameDesignator(designator, "AM");
    const bool pm = !am && (SameDesignator(designator, format.pmDesignator) ||
                            SameDesignator(designator, "PM"));
    if ((!am && !pm) || time.hour < 1 || time.hour > 12) return std::nullopt;
    time.hour = (time.hour % 12) + (pm ? 12 : 0);
    in.SkipRest();
  }
  if (!IsValidTime(time.hour, time.minute, time.second, time.millisecond)) return std::nullopt;
  return time;
}

std::optional<DateTime> ParseDateFirst(std::string_view text, const DateFormat& format,
                                       int currentYear) {
  Scanner in(text);
  in.SkipBlanks();
  const std::optional<Date> date = ScanDate(in, format, currentYear);
  if (!date) return std::nullopt;
  DateTime result{date->year, date->month, date->day, 0, 0, 0, 0};
  const bool blanks = in.SkipBlanks();
  if (in.AtEnd()) return result;
  if (!blanks) return std::nullopt;
  const std::optional<Time> time = ScanTime(in, format);
  if (!time) return std::nullopt;
  in.SkipBlanks();
  if (!in.AtEnd()) return std::nullopt;
  result.hour = time->hour;
  result.minute = time->minute;
  result.second = time->second;
  result.millisecond = time->millisecond;
  return result;
}

std::optional<DateTime> ParseTimeOnly(std::string_view text, const DateFormat& format) {
  Scanner in(text);
  in.SkipBlanks();
  const std::optional<Time> time = ScanTime(in, format);
  if (!time) return std::nullopt;
  in.SkipBlanks();
  if (!in.AtEnd()) return std::nullopt;
  return DateTime{kZeroDayYear, kZeroDayMonth, kZeroDayDay,      time->hour,
                  time->minute, time->second,  time->millisecond};
}

void AppendPadded(std::string& out, int value, int width) {
  std::string digits = DecimalText(value);
  if (static_cast<int>(digits.size()) < width) {
    out.append(static_cast<std::size_t>(width) - digits.size(), '0');
  }
  out += digits;
}

bool IsDateField(char c) {
  return c == 'd' || c == 'M' || c == 'y' || c == 'g';
}
bool IsTimeField(char c) {
  return c == 'h' || c == 'H' || c == 'm' || c == 's' || c == 't';
}

// Index just past a quoted literal that starts at `pos` ("''" is a quote).
std::size_t SkipQuoted(std::string_view picture, std::size_t pos, std::string* literal) {
  ++pos;
  while (pos < picture.size()) {
    if (picture[pos] == '\'') {
      if (pos + 1 < picture.size() && picture[pos + 1] == '\'') {
        if (literal) *literal += '\'';
        pos += 2;
        continue;
      }
      return pos + 1;
    }
    if (literal) *literal += picture[pos];
    ++pos;
  }
  return pos;
}

// The text between the field that starts with one of `first` and the next
// field, quotes removed.
template <typename IsFirst, typename IsField>
std::optional<std::string> SeparatorAfterField(std::string_view picture, IsFirst isFirst,
                                               IsField isField) {
  std::size_t pos = 0;
  while (pos < picture.size() && !isFirst(picture[pos])) {
    pos = picture[pos] == '\'' ? SkipQuoted(picture, pos, nullptr) : pos + 1;
  }
  if (pos == picture.size()) return std::nullopt;
  const char field = picture[pos];
  while (pos < picture.size() && picture[pos] == field)
    ++pos;
  std::string separator;
  while (pos < picture.size() && !isField(picture[pos])) {
    if (picture[pos] == '\'') {
      pos = SkipQuoted(picture, pos, &separator);
    } else {
      separator += picture[pos++];
    }
  }
  if (pos == picture.size() || separator.empty()) return std::nullopt;
  return separator;
}

}  // namespace

std::optional<DateTime> ParseDateTime(std::string_view text, const DateFormat& format,
                                      int currentYear) {
  // Where the date and time separators are the same ("10.30"), a text that
  // reads as a valid date is one; only otherwise is it tried as a time.
  if (std::optional<DateTime> value = ParseDateFirst(text, format, currentYear)) return value;
  return ParseTimeOnly(text, format);
}

std::string FormatTimestamp(const DateTime& value, const DateFormat& format) {
  std::string out;
  AppendPadded(out, value.year, 4);
  out += format.dateSeparator;
  AppendPadded(out, value.month, 2);
  out += format.dateSeparator;
  AppendPadded(out, value.day, 2);
  out += ' ';
  AppendPadded(out, value.hour, 2);
  out += format.timeSeparator;
  AppendPadded(out, value.minute, 2);
  out += format.timeSeparator;
  AppendPadded(out, value.second, 2);
  return out;
}

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  if (month == 2 && IsLeapYear(year)) return 29;
  return kDays[static_cast<std::size_t>(month - 1)];
}

std::optional<DosDateTime> ToDosDateTime(const DateTime& value) {
  if (value.year < kFirstDosYear || value.year > kLastDosYear ||
      !IsValidDate(value.year, value.month, value.day) ||
      !IsValidTime(value.hour, value.minute, value.second, value.millisecond)) {
    return std::nullopt;
  }
  DosDateTime dos;
  dos.date =
      static_cast<std::uint16_t>((value.year - kFirstDosYear) << 9 | value.month << 5 | value.day);
  dos.time = static_cast<std::uint16_t>(value.hour << 11 | value.minute << 5 | value.second / 2);
  return dos;
}

DateTime FromDosDateTime(DosDateTime value) {
  DateTime result;
  result.year = kFirstDosYear + (value.date >> 9);
  result.month = (value.date >> 5) & 0x0F;
  result.day = value.date & 0x1F;
  result.hour = value.time >> 11;
  result.minute = (value.time >> 5) & 0x3F;
  result.second = (value.time & 0x1F) * 2;
  return result;
}

std::optional<DateOrder> DateOrderFromPicture(std::string_view picture) {
  for (std::size_t pos = 0; pos < picture.size();) {
    switch (picture[pos]) {
      case 'M':
        return DateOrder::MonthDayYear;
      case 'd':
        return DateOrder::DayMonthYear;
      case 'y':
        return DateOrder::YearMonthDay;
      case '\'':
        pos = SkipQuoted(picture, pos, nullptr);
        break;
      default:
        ++pos;
    }
  }
  return std::nullopt;
}

std::optional<std::string> DateSeparatorFromPicture(std::string_view picture) {
  auto isFirst = [](char c) { return c == 'd' || c == 'M' || c == 'y'; };
  return SeparatorAfterField(picture, isFirst, IsDateField);
}

std::optional<std::string> TimeSeparatorFromPicture(std::string_view picture) {
  auto isHour = [](char c) { return c == 'h' || c == 'H'; };
  return SeparatorAfterField(picture, isHour, IsTimeField);
}

}  // namespace kavri
