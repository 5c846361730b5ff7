#pragma once

#include "platform/ports/launcher.h"

namespace kavri {

class Win32Launcher final : public Launcher {
 public:
  void Run(const std::string& commandLine) override;
  void Open(const std::string& path) override;
};

}  // namespace kavri
