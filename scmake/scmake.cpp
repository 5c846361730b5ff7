#include "scmake/scmake.h"

#include <memory>

#include "platform/path_parts.h"

namespace kavri {

std::int32_t ShowCommandFor(WNDSTATE state) {
  switch (state) {
    case WNDSTATE::Maximize:
      return kShowMaximized;
    case WNDSTATE::Minimize:
      return kShowMinNoActive;
    case WNDSTATE::Normal:
      break;
  }
  return kShowShow;
}

WNDSTATE WndStateFor(std::int32_t showCommand) {
  if (showCommand == kShowMaximized) return WNDSTATE::Maximize;
  if (showCommand == kShowMinNoActive) return WNDSTATE::Minimize;
  return WNDSTATE::Normal;
}

std::uint16_t HotkeyWordFor(std::uint16_t shortcut) {
  std::uint16_t word = shortcut & 0xFF;
  if (word != 0) {
    if (shortcut & kShortcutShift) word |= kHotkeyShift;
    if (shortcut & kShortcutCtrl) word |= kHotkeyCtrl;
    if (shortcut & kShortcutAlt) word |= kHotkeyAlt;
  }
  return word;
}

std::uint16_t ShortcutFor(std::uint16_t hotkeyWord) {
  std::uint16_t shortcut = hotkeyWord & 0xFF;
  if (hotkeyWord & kHotkeyShift) shortcut |= kShortcutShift;
  if (hotkeyWord & kHotkeyCtrl) shortcut |= kShortcutCtrl;
  if (hotkeyWord & kHotkeyAlt) shortcut |= kShortcutAlt;
  return shortcut;
}

int ReadLinkInto(SCMakeProperties& properties, const std::string& path, ShellLinkFactory& links,
                 const CodePage& codePage) {
  constexpr int kFailed = -1;
  // Byte for byte: "x.LNK" is refused here even where the file system would
  // find the same file.
  if (Extension(path, codePage) != ".lnk") return kFailed;

  // Declared in this order so the file interface is released before the
  // link, on every return.
  std::unique_ptr<ShellLink> link;
  std::unique_ptr<ShellLinkFile> file;
  if (LinkFailed(links.Create(link)) || !link) return kFailed;
  if (LinkFailed(link->QueryFile(file)) || !file) return kFailed;
  if (LinkFailed(file->Load(path))) return kFailed;

  properties.SetSCName(std::string(NameWithoutExtension(path, codePage)));
  properties.SetSCDir(std::string(Folder(path, codePage)));

  // From here on results are not looked at: a field the file lacks comes
  // back empty (or 0) and is taken as such.
  std::string text;
  link->GetPath(text);
  properties.SetLinkPath(std::move(text));

  text.clear();
  link->GetWorkingDirectory(text);
  properties.SetWorkDir(std::move(text));

  std::int32_t showCommand = 0;
  link->GetShowCmd(showCommand);
  properties.SetShowCommand(showCommand);
  std::uint16_t hotkey = 0;
  link->GetHotkey(hotkey);
  properties.SetHotkeyWord(hotkey);

  text.clear();
  std::int32_t iconIndex = 0;
  link->GetIconLocation(text, iconIndex);
  properties.SetIconPath(std::move(text));
  properties.SetIconNo(iconIndex);

  text.clear();
  link->GetArguments(text);
  properties.SetArgument(std::move(text));
  return 0;
}

LinkResult MakeLinkFrom(SCMakeProperties& properties, ShellLinkFactory& links) {
  if (properties.SCName().empty() || properties.SCDir().empty() || properties.LinkPath().empty()) {
    return -1;
  }
  // Modifiers alone make no hot key.
  if ((properties.HotkeyWord() & 0xFF) == 0) properties.SetHotkeyWord(0);

  std::unique_ptr<ShellLink> link;
  std::unique_ptr<ShellLinkFile> file;
  LinkResult result = links.Create(link);
  if (LinkFailed(result)) return result;
  if (!link) return kLinkNoObject;

  link->SetPath(properties.LinkPath());
  link->SetWorkingDirectory(properties.WorkDir());
  link->SetShowCmd(properties.ShowCommand());
  link->SetHotkey(properties.HotkeyWord());
  link->SetIconLocation(properties.IconPath(), properties.IconNo());
  link->SetArguments(properties.Argument());

  result = link->QueryFile(file);
  if (LinkFailed(result)) return result;
  if (!file) return kLinkNoObject;
  return file->Save(properties.SCDir() + "\\" + properties.SCName() + ".lnk", true);
}

void RegisterSCMake(const RegisterComponentFn& registerComponent) {
  registerComponent(kSCMakePalettePage, kSCMakeClassName);
}

}  // namespace kavri
