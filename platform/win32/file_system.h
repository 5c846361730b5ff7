#pragma once

#include "platform/ports/file_system.h"

namespace kavri {

class Win32FileSystem final : public FileSystem {
 public:
  bool IsFolder(const std::string& path) override;
  bool IsFile(const std::string& path) override;
  std::vector<bool> AreFolders(const LineList& paths) override;
  std::optional<std::string> ReadFile(const std::string& path) override;
  void WriteFile(const std::string& path, std::string_view bytes) override;
  void ReplaceContents(const std::string& path, std::string_view bytes) override;
  bool Move(const std::string& from, const std::string& to) override;
  bool MakeFolder(const std::string& path) override;
};

}  // namespace kavri
