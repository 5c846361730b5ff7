#pragma once

#include <string_view>

namespace kavri {

// The operating system's message box flags and results that kavri uses.
inline constexpr unsigned kMbOk = 0;
inline constexpr unsigned kMbOkCancel = 1;
inline constexpr unsigned kMbYesNo = 4;
inline constexpr unsigned kMbIconStop = 16;
inline constexpr int kIdOk = 1;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

// Modal message boxes owned by the application.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Shows `text` under `caption` and returns the button pressed.
  virtual int Show(std::string_view text, std::string_view caption, unsigned flags) = 0;
};

}  // namespace kavri
