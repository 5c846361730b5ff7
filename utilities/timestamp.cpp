#include "utilities/timestamp.h"

namespace kavri {

TimestampOutcome StampListedFiles(const ItemList& list, DestinationBox& box, FileStamper& stamper,
                                  const DateFormat& format, const DateTime& now) {
  const std::optional<DateTime> stamp = ParseDateTime(box.Text(), format, now.year);
  if (!stamp) {
    box.SetText(FormatTimestamp(now, format));
    box.SelectAll();
    return TimestampOutcome::Offered;
  }
  if (const std::optional<DosDateTime> dos = ToDosDateTime(*stamp)) {
    for (const std::string& path : list.Lines()) stamper.SetLastWriteTime(path, *dos);
  }
  return TimestampOutcome::Stamped;
}

}  // namespace kavri
