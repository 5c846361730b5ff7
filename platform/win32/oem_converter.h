#pragma once

#include "platform/ports/oem_converter.h"

namespace kavri {

class Win32OemConverter final : public OemConverter {
 public:
  std::optional<std::string> FromAnsi(std::string_view ansi) override;
};

}  // namespace kavri
