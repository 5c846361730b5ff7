#include "mainwindow/form_window_win32.h"

#include "platform/win32/window_support.h"

namespace kavri {
namespace {

BOOL CALLBACK CollectWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (GetMonitorInfoA(monitor, &info)) {
    const RECT& work = info.rcWork;
    reinterpret_cast<std::vector<Bounds>*>(areas)->push_back(
        {work.left, work.top, work.right - work.left, work.bottom - work.top});
  }
  return TRUE;
}

}  // namespace

Bounds MainFormWindow::GetBounds() {
  const RECT bounds = RestoredWindowBounds(window_);
  return {bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top};
}

void MainFormWindow::SetBounds(const Bounds& bounds) {
  SetWindowPos(window_, nullptr, bounds.left, bounds.top, bounds.width, bounds.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

bool MainFormWindow::StayOnTop() { return item_.Checked(); }

void MainFormWindow::SetStayOnTop(bool onTop) {
  // The window is not created anew, so it stays a drop target.
  SetWindowPos(window_, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  item_.SetChecked(onTop);
}

std::vector<Bounds> MainFormWindow::ScreenWorkAreas() {
  std::vector<Bounds> areas;
  EnumDisplayMonitors(nullptr, nullptr, CollectWorkArea, reinterpret_cast<LPARAM>(&areas));
  return areas;
}

}  // namespace kavri
