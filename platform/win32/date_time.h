#pragma once

#include <windows.h>

#include <optional>

#include "platform/date_time.h"

namespace kavri {

// The user's short date order and separators and the AM/PM designators, in
// the system ANSI code page. Where the system does not say, the order is
// month-day-year and the separators are "/" and ":".
DateFormat SystemDateFormat();

// The local date and time now.
DateTime LocalNow();

// The UTC file time of a DOS date-time read as local time, with the
// daylight-saving rule in force on that date (not today's state, which is
// what LocalFileTimeToFileTime applies to every date). None when the system
// refuses the value.
std::optional<FILETIME> LocalDosDateTimeToFileTime(DosDateTime local);

// Sets the last-write time of an open file and leaves its creation and access
// times alone. False when the system refuses.
bool SetLastWriteTime(HANDLE file, const FILETIME& time);

}  // namespace kavri
