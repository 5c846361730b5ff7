#pragma once

#include "platform/ports/key_state.h"
#include "platform/ports/path_converter.h"

namespace kavri {

class Win32PathConverter final : public PathConverter {
 public:
  std::optional<std::string> Exact(const std::wstring& path) override;
  std::optional<std::wstring> ShortForm(const std::wstring& path) override;
};

class Win32KeyState final : public KeyState {
 public:
  bool CtrlDown() override;
};

// A path in the ANSI page: exact, or its short form; never a look-alike.
std::optional<std::string> AnsiPathFor(const std::wstring& path);

}  // namespace kavri
