// Any arguments, split at NUL bytes and widened byte by byte: intake must
// list only what it was given, never an empty line or a switch, and set the
// destination only from the first argument.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "mainwindow/intake.h"
#include "unit/fakes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kavri;
  std::vector<std::wstring> arguments(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      arguments.emplace_back();
    } else {
      arguments.back() += static_cast<wchar_t>(data[i]);
    }
  }
  testing::FakePathConverter converter;
  const ConvertedPaths converted = ConvertArrivedPaths(arguments, converter);
  testing::FakeItemList list;
  testing::FakeDestinationBox box;
  box.text = "\x01unchanged";
  TakeCommandLine(converted.paths, list, box);
  if (list.Lines().size() > arguments.size()) std::abort();
  for (const std::string& line : list.Lines()) {
    if (line.empty() || line.front() == '-') std::abort();
  }
  if (box.text != "\x01unchanged" && (!converted.paths.front() || box.text != *converted.paths.front())) {
    std::abort();
  }
  return 0;
}
