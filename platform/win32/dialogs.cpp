#include "platform/win32/dialogs.h"

#include <string>

namespace kavri {

int MessageBoxDialogs::Show(std::string_view text, std::string_view caption, unsigned flags) {
  return MessageBoxA(owner_, std::string(text).c_str(), std::string(caption).c_str(), flags);
}

void ShowError(HWND owner, const char* message) {
  MessageBoxA(owner, message, "kavri", MB_OK | MB_ICONSTOP);
}

}  // namespace kavri
