#include "mainwindow/settings.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdlib>

#include "platform/decimal_text.h"
#include "platform/error.h"

namespace kavri {
namespace {

constexpr int kHistoryFirstLine = 0;
constexpr int kLeftLine = 10;
constexpr int kTopLine = 11;
constexpr int kWidthLine = 12;
constexpr int kHeightLine = 13;
constexpr int kStayOnTopLine = 14;

// How much of a window must lie on a screen for its user to reach it and
// drag it back: a stretch of the title bar.
constexpr int kReachableWidth = 48;
constexpr int kReachableHeight = 16;

std::optional<int> NumberAt(const LineList& lines, int index) {
  if (index >= static_cast<int>(lines.size())) return std::nullopt;
  return ParseDecimal(lines[static_cast<std::size_t>(index)]);
}

// In 64 bits throughout: the numbers come from a file, and a position plus
// a size near the limits of an int must not overflow.
long long Overlap(long long start, long long length, long long areaStart, long long areaLength) {
  return std::max(0LL, std::min(start + length, areaStart + areaLength) -
                           std::max(start, areaStart));
}

double DistanceSquared(const Bounds& window, const Bounds& area) {
  const long long cx = static_cast<long long>(window.left) + window.width / 2;
  const long long cy = static_cast<long long>(window.top) + window.height / 2;
  const long long dx =
      std::clamp<long long>(cx, area.left, static_cast<long long>(area.left) + area.width) - cx;
  const long long dy =
      std::clamp<long long>(cy, area.top, static_cast<long long>(area.top) + area.height) - cy;
  return static_cast<double>(dx) * static_cast<double>(dx) +
         static_cast<double>(dy) * static_cast<double>(dy);
}

// The start that puts `length` inside the area where it fits, or at the
// area's start where it does not.
int PlaceInside(long long start, long long length, long long areaStart, long long areaLength) {
  return static_cast<int>(std::max(areaStart, std::min(start, areaStart + areaLength - length)));
}

}  // namespace

std::optional<int> ParseDecimal(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  const bool plus = !text.empty() && text.front() == '+';
  if (plus) text.remove_prefix(1);
  if (text.empty() || (plus && (text.front() == '-' || text.front() == '+'))) return std::nullopt;
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

Settings ParseSettings(const LineList& lines) {
  Settings settings;
  const int historyEnd = std::min<int>(kSavedHistoryLines, static_cast<int>(lines.size()));
  for (int i = kHistoryFirstLine; i < historyEnd; ++i) {
    if (!lines[static_cast<std::size_t>(i)].empty()) {
      settings.history.push_back(lines[static_cast<std::size_t>(i)]);
    }
  }
  settings.left = NumberAt(lines, kLeftLine);
  settings.top = NumberAt(lines, kTopLine);
  settings.width = NumberAt(lines, kWidthLine);
  settings.height = NumberAt(lines, kHeightLine);
  settings.stayOnTop = static_cast<int>(lines.size()) > kStayOnTopLine &&
                       lines[static_cast<std::size_t>(kStayOnTopLine)] == "true";
  return settings;
}

LineList SettingsLines(const LineList& history, const Bounds& bounds, bool stayOnTop) {
  LineList lines;
  lines.reserve(kSettingsLines);
  for (int i = 0; i < kSavedHistoryLines; ++i) {
    lines.push_back(i < static_cast<int>(history.size()) ? history[static_cast<std::size_t>(i)]
                                                          : std::string());
  }
  for (int value : {bounds.left, bounds.top, bounds.width, bounds.height}) {
    lines.push_back(DecimalText(value));
  }
  lines.emplace_back(stayOnTop ? "true" : "false");
  return lines;
}

void LoadSettings(FileSystem& fs, const std::string& iniPath, LineList& iniList,
                  DestinationBox& box, FormWindow& window) {
  if (!fs.IsFile(iniPath)) return;
  std::optional<std::string> text;
  try {
    text = fs.ReadFile(iniPath);
  } catch (const Error&) {
    // A settings file that cannot be read (locked, no rights) is damaged as
    // far as the start is concerned: the window opens as designed, and the
    // close reports it if it still cannot be written then.
    return;
  }
  if (!text) return;
  iniList = SplitLines(*text);
  const Settings settings = ParseSettings(iniList);
  for (const std::string& line : settings.history) box.AppendHistory(line);
  Bounds bounds = window.GetBounds();
  bounds.left = settings.left.value_or(bounds.left);
  bounds.top = settings.top.value_or(bounds.top);
  bounds.width = settings.width.value_or(bounds.width);
  bounds.height = settings.height.value_or(bounds.height);
  window.SetBounds(KeepOnScreen(bounds, window.ScreenWorkAreas()));
  if (settings.stayOnTop) window.SetStayOnTop(true);
}

void SaveSettings(FileSystem& fs, const std::string& iniPath, LineList& iniList,
                  const DestinationBox& box, FormWindow& window) {
  LineList history;
  const int saved = std::min(box.HistoryCount(), kSavedHistoryLines);
  for (int i = 0; i < saved; ++i) history.push_back(box.HistoryLine(i));
  iniList = SettingsLines(history, window.GetBounds(), window.StayOnTop());
  fs.ReplaceContents(iniPath, JoinLines(iniList));
}

void AddHistoryLine(DestinationBox& box, const std::string& text) {
  const int count = box.HistoryCount();
  for (int i = 0; i < count; ++i) {
    if (box.HistoryLine(i) == text) return;
  }
  box.InsertHistory(0, text);
}

Bounds KeepOnScreen(const Bounds& window, const std::vector<Bounds>& workAreas) {
  if (workAreas.empty()) return window;
  const long long needWidth = std::max(1, std::min(window.width, kReachableWidth));
  const long long needHeight = std::max(1, std::min(window.height, kReachableHeight));
  for (const Bounds& area : workAreas) {
    if (Overlap(window.left, window.width, area.left, area.width) >= needWidth &&
        Overlap(window.top, window.height, area.top, area.height) >= needHeight) {
      return window;
    }
  }
  const Bounds& nearest = *std::min_element(
      workAreas.begin(), workAreas.end(), [&](const Bounds& a, const Bounds& b) {
        return DistanceSquared(window, a) < DistanceSquared(window, b);
      });
  Bounds moved = window;
  moved.left = PlaceInside(window.left, window.width, nearest.left, nearest.width);
  moved.top = PlaceInside(window.top, window.height, nearest.top, nearest.height);
  return moved;
}

}  // namespace kavri
