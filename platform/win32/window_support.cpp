#include "platform/win32/window_support.h"

#include <initializer_list>

namespace kavri {
namespace {

template <typename Function>
Function LookUp(const char* module, const char* name) {
  HMODULE handle = GetModuleHandleA(module);
  if (!handle) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(handle, name)));
}

constexpr UINT kWmCopyGlobalData = 0x0049;

}  // namespace

UINT DpiForWindow(HWND window) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = LookUp<GetDpiForWindowFn>("user32.dll", "GetDpiForWindow");
  if (getDpiForWindow && window) {
    const UINT dpi = getDpiForWindow(window);
    if (dpi != 0) return dpi;
  }
  return SystemDpi();
}

UINT SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : USER_DEFAULT_SCREEN_DPI;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

void AcceptDroppedFiles(HWND window) {
  SetWindowLongPtrA(window, GWL_EXSTYLE, GetWindowLongPtrA(window, GWL_EXSTYLE) | WS_EX_ACCEPTFILES);
}

void AllowDropMessages(HWND window) {
  using ChangeFilterFn = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
  static const auto changeFilter =
      LookUp<ChangeFilterFn>("user32.dll", "ChangeWindowMessageFilterEx");
  if (!changeFilter) return;
  for (UINT message : {static_cast<UINT>(WM_DROPFILES), static_cast<UINT>(WM_COPYDATA),
                       kWmCopyGlobalData}) {
    changeFilter(window, message, MSGFLT_ALLOW, nullptr);
  }
}

RECT RestoredWindowBounds(HWND window) {
  RECT bounds{};
  if (!IsIconic(window) && !IsZoomed(window)) {
    GetWindowRect(window, &bounds);
    return bounds;
  }
  // The restored position is kept in workspace coordinates, which differ
  // from screen coordinates by the taskbar when it stands left or on top.
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  GetWindowPlacement(window, &placement);
  bounds = placement.rcNormalPosition;
  if (!(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW)) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (GetMonitorInfoA(MonitorFromRect(&bounds, MONITOR_DEFAULTTONEAREST), &monitor)) {
      OffsetRect(&bounds, monitor.rcWork.left - monitor.rcMonitor.left,
                 monitor.rcWork.top - monitor.rcMonitor.top);
    }
  }
  return bounds;
}

}  // namespace kavri
