// Any text in any of the date orders and separators: the parser must not
// crash, and a date-time it accepts must be valid, survive the offered form
// and the DOS form consistently.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/date_time.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kavri;
  if (size < 1) return 0;
  static const char* const kSeparators[] = {"/", ":", ".", "-", " ", "", "\x81\x5E", "//"};
  DateFormat format;
  format.order = static_cast<DateOrder>(data[0] % 3);
  format.dateSeparator = kSeparators[(data[0] >> 2) % 8];
  format.timeSeparator = kSeparators[(data[0] >> 5) % 8];
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  const auto value = ParseDateTime(text, format, 2026);
  if (!value) return 0;
  if (value->month < 1 || value->month > 12 || value->day < 1 ||
      value->day > DaysInMonth(value->year, value->month) || value->hour < 0 ||
      value->hour > 23 || value->minute < 0 || value->minute > 59 || value->second < 0 ||
      value->second > 59) {
    std::abort();
  }
  if (const auto dos = ToDosDateTime(*value)) {
    const DateTime back = FromDosDateTime(*dos);
    if (back.year != value->year || back.month != value->month || back.day != value->day ||
        back.hour != value->hour || back.minute != value->minute ||
        back.second != value->second / 2 * 2) {
      std::abort();
    }
  } else if (value->year >= kFirstDosYear && value->year <= kLastDosYear) {
    std::abort();
  }
  FormatTimestamp(*value, format);
  return 0;
}
