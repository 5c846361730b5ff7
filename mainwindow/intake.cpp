#include "mainwindow/intake.h"

#include "platform/path_parts.h"

namespace kavri {

ConvertedPaths ConvertArrivedPaths(const std::vector<std::wstring>& paths,
                                   PathConverter& converter) {
  ConvertedPaths converted;
  converted.paths.reserve(paths.size());
  for (const std::wstring& path : paths) {
    std::optional<std::string> ansi = converter.Exact(path);
    if (!ansi) {
      if (const std::optional<std::wstring> shortForm = converter.ShortForm(path)) {
        ansi = converter.Exact(*shortForm);
      }
    }
    if (!ansi) converted.refused.push_back(path);
    converted.paths.push_back(std::move(ansi));
  }
  return converted;
}

std::wstring RefusedPathsMessage(const std::vector<std::wstring>& refused) {
  std::wstring text = refused.size() == 1
                          ? L"This name cannot be written in the system's code page and has no "
                            L"short name that can, so it was not listed:"
                          : L"These names cannot be written in the system's code page and have no "
                            L"short names that can, so they were not listed:";
  for (const std::wstring& path : refused) text += L"\n" + path;
  return text;
}

void TakeDroppedPaths(const ArrivedPaths& paths, IntakePorts& ports) {
  const std::size_t count = paths.size();
  // The key state belongs to the input message being handled and cannot
  // change before the next one is read, so it is asked once per drop.
  const bool ctrl = ports.keys.CtrlDown();
  ItemListUpdate update(ports.list);
  for (const std::optional<std::string>& arrived : paths) {
    if (!arrived) continue;
    if (ctrl) {
      ports.list.Append(*arrived);
      continue;
    }
    std::string path = *arrived;
    if (ports.cp.LowerCase(Extension(path, ports.cp)) == ".lnk") {
      if (std::optional<std::string> target = ports.shortcuts.ReadTarget(path)) {
        path = std::move(*target);
      }
    }
    if (count == 1 && ports.fs.IsFolder(path)) {
      ports.box.SetText(path);
    } else {
      ports.list.Append(path);
    }
  }
}

void TakeCommandLine(const ArrivedPaths& arguments, ItemList& list, DestinationBox& box) {
  ItemListUpdate update(list);
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::optional<std::string>& argument = arguments[i];
    if (!argument || argument->empty() || argument->front() == '-') continue;
    list.Append(*argument);
    if (i == 0) box.SetText(*argument);
  }
}

}  // namespace kavri
