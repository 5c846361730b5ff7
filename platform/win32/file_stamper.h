#pragma once

#include "platform/ports/file_stamper.h"

namespace kavri {

class Win32FileStamper final : public FileStamper {
 public:
  bool SetLastWriteTime(const std::string& path, DosDateTime local) override;
};

}  // namespace kavri
