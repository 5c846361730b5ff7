#pragma once

#include "platform/date_time.h"
#include "platform/ports/destination_box.h"
#include "platform/ports/file_stamper.h"
#include "platform/ports/item_list.h"

namespace kavri {

enum class TimestampOutcome {
  Offered,  // the text was no date-time; the current time stands in the box
  Stamped,  // the listed files were stamped; the window closes
};

// Ctrl+T: stamps every listed file with the date-time the destination text
// names. A text that is no date-time is replaced by `now` in the timestamp
// form, selected, for the user to adjust. A date-time outside 1980..2099
// stamps nothing.
TimestampOutcome StampListedFiles(const ItemList& list, DestinationBox& box, FileStamper& stamper,
                                  const DateFormat& format, const DateTime& now);

}  // namespace kavri
