#include "platform/win32/date_time.h"

#include <string>

namespace kavri {
namespace {

// A locale text of the user's locale in the ANSI code page (not the locale's
// own page, which differs when they do not match); none when the system has
// no such value or it is empty.
std::optional<std::string> LocaleText(LCTYPE type) {
  const LCTYPE ansiType = type | LOCALE_USE_CP_ACP;
  const int size = GetLocaleInfoA(LOCALE_USER_DEFAULT, ansiType, nullptr, 0);
  if (size <= 1) return std::nullopt;
  std::string text(static_cast<std::size_t>(size), '\0');
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, ansiType, text.data(), size) != size) {
    return std::nullopt;
  }
  text.resize(static_cast<std::size_t>(size - 1));
  return text;
}

std::optional<DateOrder> OrderFromIDate(const std::optional<std::string>& iDate) {
  if (!iDate) return std::nullopt;
  if (*iDate == "0") return DateOrder::MonthDayYear;
  if (*iDate == "1") return DateOrder::DayMonthYear;
  if (*iDate == "2") return DateOrder::YearMonthDay;
  return std::nullopt;
}

}  // namespace

DateFormat SystemDateFormat() {
  DateFormat format;
  // The short date picture is what the user sees and sets; LOCALE_SDATE,
  // LOCALE_STIME and LOCALE_IDATE are deprecated and only fill gaps.
  const std::optional<std::string> shortDate = LocaleText(LOCALE_SSHORTDATE);
  const std::optional<std::string> timeFormat = LocaleText(LOCALE_STIMEFORMAT);

  std::optional<DateOrder> order = shortDate ? DateOrderFromPicture(*shortDate) : std::nullopt;
  if (!order) order = OrderFromIDate(LocaleText(LOCALE_IDATE));
  if (order) format.order = *order;

  std::optional<std::string> dateSeparator =
      shortDate ? DateSeparatorFromPicture(*shortDate) : std::nullopt;
  if (!dateSeparator) dateSeparator = LocaleText(LOCALE_SDATE);
  if (dateSeparator) format.dateSeparator = *dateSeparator;

  std::optional<std::string> timeSeparator =
      timeFormat ? TimeSeparatorFromPicture(*timeFormat) : std::nullopt;
  if (!timeSeparator) timeSeparator = LocaleText(LOCALE_STIME);
  if (timeSeparator) format.timeSeparator = *timeSeparator;

  // An empty designator (a 24-hour locale) stays empty: the parser accepts
  // plain AM and PM anyway.
  format.amDesignator = LocaleText(LOCALE_S1159).value_or(std::string());
  format.pmDesignator = LocaleText(LOCALE_S2359).value_or(std::string());
  return format;
}

DateTime LocalNow() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return DateTime{now.wYear,   now.wMonth,  now.wDay,         now.wHour,
                  now.wMinute, now.wSecond, now.wMilliseconds};
}

std::optional<FILETIME> LocalDosDateTimeToFileTime(DosDateTime local) {
  FILETIME localFileTime{};
  SYSTEMTIME localTime{};
  SYSTEMTIME utcTime{};
  FILETIME utc{};
  if (!DosDateTimeToFileTime(local.date, local.time, &localFileTime) ||
      !FileTimeToSystemTime(&localFileTime, &localTime) ||
      !TzSpecificLocalTimeToSystemTime(nullptr, &localTime, &utcTime) ||
      !SystemTimeToFileTime(&utcTime, &utc)) {
    return std::nullopt;
  }
  return utc;
}

bool SetLastWriteTime(HANDLE file, const FILETIME& time) {
  return SetFileTime(file, nullptr, nullptr, &time) != FALSE;
}

}  // namespace kavri
