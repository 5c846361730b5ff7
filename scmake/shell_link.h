#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace kavri {

// The 32-bit result of a shell link call as COM reports it: negative on
// failure, 0 or another non-negative value on success.
using LinkResult = std::int32_t;

inline constexpr LinkResult kLinkOk = 0;
// E_POINTER, for a call that claimed success and handed back no object.
inline constexpr LinkResult kLinkNoObject = static_cast<LinkResult>(0x80004003u);

constexpr bool LinkFailed(LinkResult result) {
  return result < 0;
}

// The file side of a shell link object. Destroying it releases the interface.
class ShellLinkFile {
 public:
  virtual ~ShellLinkFile() = default;
  // Reads the shortcut file at `path` (an ANSI path) for reading only.
  virtual LinkResult Load(const std::string& path) = 0;
  // Writes the shortcut to `path`; with `remember` the object takes that path
  // as its current file.
  virtual LinkResult Save(const std::string& path, bool remember) = 0;
};

// One shell link object, its texts in the ANSI code page. Destroying it
// releases the interface. A getter that fails leaves its text empty and its
// number 0.
class ShellLink {
 public:
  virtual ~ShellLink() = default;

  virtual LinkResult QueryFile(std::unique_ptr<ShellLinkFile>& file) = 0;

  virtual LinkResult GetPath(std::string& path) = 0;
  virtual LinkResult GetWorkingDirectory(std::string& folder) = 0;
  virtual LinkResult GetShowCmd(std::int32_t& showCommand) = 0;
  virtual LinkResult GetHotkey(std::uint16_t& hotkey) = 0;
  virtual LinkResult GetIconLocation(std::string& path, std::int32_t& index) = 0;
  virtual LinkResult GetArguments(std::string& arguments) = 0;

  virtual LinkResult SetPath(const std::string& path) = 0;
  virtual LinkResult SetWorkingDirectory(const std::string& folder) = 0;
  virtual LinkResult SetShowCmd(std::int32_t showCommand) = 0;
  virtual LinkResult SetHotkey(std::uint16_t hotkey) = 0;
  virtual LinkResult SetIconLocation(const std::string& path, std::int32_t index) = 0;
  virtual LinkResult SetArguments(const std::string& arguments) = 0;
};

// Makes a fresh shell link object for every operation; nothing is kept
// between them.
class ShellLinkFactory {
 public:
  virtual ~ShellLinkFactory() = default;
  virtual LinkResult Create(std::unique_ptr<ShellLink>& link) = 0;
};

}  // namespace kavri
