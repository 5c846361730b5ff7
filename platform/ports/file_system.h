#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/line_list.h"

namespace kavri {

// The file system as the rules see it. Paths are 8-bit text in the system
// code page.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The path names an existing folder.
  virtual bool IsFolder(const std::string& path) = 0;
  // Something that is not a folder exists at the path.
  virtual bool IsFile(const std::string& path) = 0;
  // IsFolder for each path, in order. An adapter may answer many paths of
  // one folder from a single listing of it.
  virtual std::vector<bool> AreFolders(const LineList& paths) {
    std::vector<bool> folders;
    folders.reserve(paths.size());
    for (const std::string& path : paths) folders.push_back(IsFolder(path));
    return folders;
  }

  // The whole file, or none when there is no file at the path. Throws Error
  // when it is there but cannot be read.
  virtual std::optional<std::string> ReadFile(const std::string& path) = 0;
  // Writes the file anew. Throws Error when it cannot be written whole.
  virtual void WriteFile(const std::string& path, std::string_view bytes) = 0;
  // Replaces the file in one step: a reader sees the old file or the new
  // one, never part of either. Throws Error and leaves the old file.
  virtual void ReplaceContents(const std::string& path, std::string_view bytes) = 0;

  virtual bool Move(const std::string& from, const std::string& to) = 0;
  virtual bool MakeFolder(const std::string& path) = 0;
};

}  // namespace kavri
