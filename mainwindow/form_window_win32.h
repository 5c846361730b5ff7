#pragma once

#include <windows.h>

#include "mainwindow/menu_win32.h"
#include "platform/ports/form_window.h"

namespace kavri {

// The main window's frame and its Stay On Top menu check.
class MainFormWindow final : public FormWindow {
 public:
  MainFormWindow() = default;
  MainFormWindow(HWND window, MenuItem stayOnTopItem) : window_(window), item_(stayOnTopItem) {}

  Bounds GetBounds() override;
  void SetBounds(const Bounds& bounds) override;
  bool StayOnTop() override;
  void SetStayOnTop(bool onTop) override;
  std::vector<Bounds> ScreenWorkAreas() override;

 private:
  HWND window_ = nullptr;
  MenuItem item_;
};

}  // namespace kavri
