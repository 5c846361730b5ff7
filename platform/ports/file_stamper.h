#pragma once

#include <string>

#include "platform/date_time.h"

namespace kavri {

// Sets a file's last-write time from a local DOS date-time.
class FileStamper {
 public:
  virtual ~FileStamper() = default;
  // Opens the path as an existing file for writing, without sharing, and
  // sets only its last-write time. False for a folder, a missing, read-only
  // or busy file, which are skipped.
  virtual bool SetLastWriteTime(const std::string& path, DosDateTime local) = 0;
};

}  // namespace kavri
