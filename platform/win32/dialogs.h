#pragma once

#include <windows.h>

#include <string_view>

#include "platform/ports/dialogs.h"

namespace kavri {

// Message boxes owned by the main window.
class MessageBoxDialogs final : public Dialogs {
 public:
  explicit MessageBoxDialogs(HWND owner) : owner_(owner) {}
  int Show(std::string_view text, std::string_view caption, unsigned flags) override;

 private:
  HWND owner_;
};

// The standard display of an error: a stop icon under the caption "kavri".
void ShowError(HWND owner, const char* message);

// Runs `body`; an exception that escapes it is shown and `onError` returned,
// so that none ever crosses a Win32 callback.
template <typename Body, typename Result>
Result Guarded(HWND owner, Body&& body, Result onError) noexcept {
  try {
    return body();
  } catch (const std::exception& e) {
    ShowError(owner, e.what());
  } catch (...) {
    ShowError(owner, "Unknown error");
  }
  return onError;
}

}  // namespace kavri
