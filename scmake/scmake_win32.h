#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/code_page.h"
#include "platform/ports/shortcut_reader.h"
#include "scmake/scmake.h"
#include "scmake/shell_link.h"

namespace kavri {

// Shell link objects from COM: the shell link class in process, seen through
// IShellLinkA and IPersistFile. Paths handed to the file side are converted
// to wide characters into a buffer of MAX_PATH (260) characters, terminator
// included; a longer path is refused with ERROR_FILENAME_EXCED_RANGE rather
// than cut, so that no other file is ever read or written in its place.
class ComShellLinkFactory : public ShellLinkFactory {
 public:
  LinkResult Create(std::unique_ptr<ShellLink>& link) override;
};

// The shortcut component. Construction initialises COM for the calling
// thread and destruction uninitialises it again, so both operations must run
// on the thread that made the component (the window thread).
class TSCMake : public SCMakeProperties {
 public:
  TSCMake();
  ~TSCMake();
  TSCMake(const TSCMake&) = delete;
  TSCMake& operator=(const TSCMake&) = delete;

  // 0 on success, -1 on any failure; see ReadLinkInto.
  int ReadLink(const std::string& path);
  // -1 when a required property is empty, else the COM result of the last
  // step; see MakeLinkFrom.
  LinkResult MakeLink();

 private:
  bool comInitialised_;
  CodePage codePage_;
  ComShellLinkFactory links_;
};

// Follows shortcuts with the window's component: the target is its LinkPath
// after a successful read, and nothing after a failed one, whatever an
// earlier read left in the component, nor for a shortcut without a path.
class SCMakeShortcutReader : public ShortcutReader {
 public:
  explicit SCMakeShortcutReader(TSCMake& component) : component_(component) {}
  std::optional<std::string> ReadTarget(const std::string& path) override;

 private:
  TSCMake& component_;
};

}  // namespace kavri
