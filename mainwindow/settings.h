#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "mainwindow/layout.h"
#include "platform/line_list.h"
#include "platform/ports/destination_box.h"
#include "platform/ports/file_system.h"
#include "platform/ports/form_window.h"

namespace kavri {

// kavri.ini: despite its name a plain list of 15 lines. Lines 1 to 10 are the
// history (an empty line is no entry), 11 to 14 the window's left, top, width
// and height, 15 "true" when the window stays on top.
inline constexpr int kSavedHistoryLines = 10;
inline constexpr int kSettingsLines = 15;

// What a settings file holds. A value that is missing or damaged is absent,
// and the window keeps its design value for it.
struct Settings {
  LineList history;
  std::optional<int> left;
  std::optional<int> top;
  std::optional<int> width;
  std::optional<int> height;
  bool stayOnTop = false;
  bool operator==(const Settings&) const = default;
};

Settings ParseSettings(const LineList& lines);
LineList SettingsLines(const LineList& history, const Bounds& bounds, bool stayOnTop);

// A decimal integer, possibly negative, with blanks around it allowed.
std::optional<int> ParseDecimal(std::string_view text);

// Reads the file into `iniList` and applies it: history, then geometry, then
// the stay-on-top state. A missing or unreadable file leaves everything as
// designed; a short or damaged one gives what can be read, and is left as
// it is.
void LoadSettings(FileSystem& fs, const std::string& iniPath, LineList& iniList,
                  DestinationBox& box, FormWindow& window);

// Writes the history's first ten lines, the geometry and the flag, replacing
// the file in one step. Throws Error when it cannot, leaving the old file.
void SaveSettings(FileSystem& fs, const std::string& iniPath, LineList& iniList,
                  const DestinationBox& box, FormWindow& window);

// Puts a destination text into the history as its new first line, unless a
// line already equals it byte for byte; that line then keeps its place.
void AddHistoryLine(DestinationBox& box, const std::string& text);

// Bounds that lie off every screen are moved onto the nearest one, keeping
// their size; bounds that can be reached stay as they are.
Bounds KeepOnScreen(const Bounds& window, const std::vector<Bounds>& workAreas);

}  // namespace kavri
