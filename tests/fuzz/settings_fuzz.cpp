// Any bytes as kavri.ini: loading must neither crash nor read out of bounds,
// must take at most ten history lines, and must write back fifteen lines.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "mainwindow/settings.h"
#include "unit/fakes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kavri;
  testing::FakeFileSystem fs;
  fs.files["C:\\k\\kavri.ini"] = std::string(reinterpret_cast<const char*>(data), size);
  testing::FakeDestinationBox box;
  testing::FakeFormWindow window;
  LineList iniList;
  LoadSettings(fs, "C:\\k\\kavri.ini", iniList, box, window);
  if (box.history.size() > kSavedHistoryLines) std::abort();
  for (const std::string& line : box.history) {
    if (line.empty()) std::abort();
  }
  SaveSettings(fs, "C:\\k\\kavri.ini", iniList, box, window);
  if (SplitLines(fs.files["C:\\k\\kavri.ini"]).size() != kSettingsLines) std::abort();
  return 0;
}
