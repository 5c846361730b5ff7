#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/code_page.h"
#include "platform/shortcut_value.h"
#include "scmake/shell_link.h"

namespace kavri {

// The window state in which a shortcut's target starts.
enum class WNDSTATE : std::int32_t { Normal = 0, Maximize = 1, Minimize = 2 };

// Show commands as a shortcut file stores them.
inline constexpr std::int32_t kShowMaximized = 3;    // SW_SHOWMAXIMIZED
inline constexpr std::int32_t kShowMinNoActive = 7;  // SW_SHOWMINNOACTIVE
inline constexpr std::int32_t kShowShow = 5;         // SW_SHOW

// Hot-key word modifiers (key code in the low byte).
inline constexpr std::uint16_t kHotkeyShift = 0x100;
inline constexpr std::uint16_t kHotkeyCtrl = 0x200;
inline constexpr std::uint16_t kHotkeyAlt = 0x400;

std::int32_t ShowCommandFor(WNDSTATE state);
// 3 and 7 have states of their own; every other show command, 0 and 1
// included, starts the target normally.
WNDSTATE WndStateFor(std::int32_t showCommand);

// A shortcut without a key stores 0, with no modifier flags either.
std::uint16_t HotkeyWordFor(std::uint16_t shortcut);
std::uint16_t ShortcutFor(std::uint16_t hotkeyWord);

// The nine published properties of the shortcut component, in their order,
// over the fields a shortcut file holds. `WndState` and `SCKey` convert to
// and from the stored show command and hot-key word, which are reachable
// as they are for the operations that move them to and from a file.
class SCMakeProperties {
 public:
  const std::string& SCDir() const { return scDir_; }
  void SetSCDir(std::string value) { scDir_ = std::move(value); }

  const std::string& SCName() const { return scName_; }
  void SetSCName(std::string value) { scName_ = std::move(value); }

  const std::string& LinkPath() const { return linkPath_; }
  void SetLinkPath(std::string value) { linkPath_ = std::move(value); }

  const std::string& WorkDir() const { return workDir_; }
  void SetWorkDir(std::string value) { workDir_ = std::move(value); }

  WNDSTATE WndState() const { return WndStateFor(showCommand_); }
  void SetWndState(WNDSTATE value) { showCommand_ = ShowCommandFor(value); }

  std::uint16_t SCKey() const { return ShortcutFor(hotkey_); }
  void SetSCKey(std::uint16_t value) { hotkey_ = HotkeyWordFor(value); }

  const std::string& IconPath() const { return iconPath_; }
  void SetIconPath(std::string value) { iconPath_ = std::move(value); }

  std::int32_t IconNo() const { return iconNo_; }
  void SetIconNo(std::int32_t value) { iconNo_ = value; }

  const std::string& Argument() const { return argument_; }
  void SetArgument(std::string value) { argument_ = std::move(value); }

  std::int32_t ShowCommand() const { return showCommand_; }
  void SetShowCommand(std::int32_t value) { showCommand_ = value; }

  std::uint16_t HotkeyWord() const { return hotkey_; }
  void SetHotkeyWord(std::uint16_t value) { hotkey_ = value; }

  bool operator==(const SCMakeProperties&) const = default;

 private:
  std::string scDir_;
  std::string scName_;
  std::string linkPath_;
  std::string workDir_;
  std::int32_t showCommand_ = 0;
  std::uint16_t hotkey_ = 0;
  std::string iconPath_;
  std::int32_t iconNo_ = 0;
  std::string argument_;
};

// Reads the shortcut file at `path` into `properties`: 0 on success, -1 on
// any failure. Only a lower-case ".lnk" extension is accepted. When the file
// cannot be opened as a shortcut every property keeps its value.
int ReadLinkInto(SCMakeProperties& properties, const std::string& path, ShellLinkFactory& links,
                 const CodePage& codePage);

// Writes the shortcut SCDir\SCName.lnk from `properties`: -1 when SCName,
// SCDir or LinkPath is empty, otherwise the result of the last call made.
// A hot-key word without a key is cleared first, in `properties` too.
LinkResult MakeLinkFrom(SCMakeProperties& properties, ShellLinkFactory& links);

// What a form designer would call to place the component: the palette page
// and the class name.
inline constexpr std::string_view kSCMakePalettePage = "Samples";
inline constexpr std::string_view kSCMakeClassName = "TSCMake";
using RegisterComponentFn = std::function<void(std::string_view page, std::string_view className)>;
void RegisterSCMake(const RegisterComponentFn& registerComponent);

}  // namespace kavri
