#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace kavri::testing {

// Dispatches this thread's messages until `done` holds or the time is up.
inline bool PumpUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds limit = std::chrono::seconds(10)) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

inline void PumpPending() {
  PumpUntil([] { return false; }, std::chrono::milliseconds(100));
}

inline HWND ChildOfClass(HWND parent, const char* className) {
  return FindWindowExA(parent, nullptr, className, nullptr);
}

inline std::vector<std::string> ListLines(HWND listBox) {
  std::vector<std::string> lines;
  const int count = static_cast<int>(SendMessageA(listBox, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    std::string line(static_cast<std::size_t>(SendMessageA(listBox, LB_GETTEXTLEN, i, 0)) + 1, '\0');
    line.resize(static_cast<std::size_t>(
        SendMessageA(listBox, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()))));
    lines.push_back(line);
  }
  return lines;
}

inline std::string WindowText(HWND window) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(),
                                                      static_cast<int>(text.size()))));
  return text;
}

}  // namespace kavri::testing
