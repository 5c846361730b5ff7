#pragma once

namespace kavri {

class KeyState {
 public:
  virtual ~KeyState() = default;
  // Ctrl is held at the time of the input being handled.
  virtual bool CtrlDown() = 0;
};

}  // namespace kavri
