// The yardstick for kavri's start-up time, size and memory: the least a C++
// program needs to show one window, built with kavri's flags.
#include <windows.h>

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = "MinimalWindow";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, "MinimalWindow", "minimal", WS_OVERLAPPEDWINDOW, 232, 98, 194,
                                283, nullptr, nullptr, instance, nullptr);
  ShowWindow(window, showCommand);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
