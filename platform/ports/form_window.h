#pragma once

#include <vector>

#include "mainwindow/layout.h"

namespace kavri {

// The main window's frame as the settings see it: its outer bounds in screen
// pixels, its stay-on-top state with the menu check that shows it, and the
// screens it may stand on.
class FormWindow {
 public:
  virtual ~FormWindow() = default;
  virtual Bounds GetBounds() = 0;
  virtual void SetBounds(const Bounds& bounds) = 0;
  virtual bool StayOnTop() = 0;
  virtual void SetStayOnTop(bool onTop) = 0;
  // The work areas of the screens, without task bars.
  virtual std::vector<Bounds> ScreenWorkAreas() = 0;
};

}  // namespace kavri
