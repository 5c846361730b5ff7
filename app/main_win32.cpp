#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <exception>

#include "app/handoff_win32.h"
#include "app/startup_lock_win32.h"
#include "mainwindow/kvmain_win32.h"
#include "platform/win32/command_line.h"
#include "platform/win32/dialogs.h"
#include "platform/win32/system_library.h"

// The library's own handler for an exception that escapes would bring its
// name demangler, a sixth of the program's size; none escapes, and if one
// did, ending at once is all that is left to do.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

namespace {

void RunMessageLoop(kavri::TKVMain& window) {
  MSG message;
  for (BOOL got; (got = GetMessageA(&message, nullptr, 0, 0)) != 0;) {
    // Wine fails the call (-1) when another program sends a WM_COPYDATA of
    // several megabytes that it cannot unpack; the window carries on.
    if (got == -1) continue;
    if (window.PreTranslateMessage(message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// The window that failed to come up has posted its quit message on the way
// down; left in the queue, it would close the error's message box at once.
void ShowStartError(const char* message) {
  MSG quit;
  PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  kavri::ShowError(nullptr, message);
}

void RunApplication(HINSTANCE instance, int showCommand, kavri::StartupLock& lock) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
  if (const auto initCommonControls = kavri::SystemFunction<decltype(&InitCommonControlsEx)>(
          "comctl32.dll", "InitCommonControlsEx")) {
    initCommonControls(&controls);
  }
  kavri::TKVMain KVMain(instance);
  KVMain.Construct(kavri::CommandLineArguments());
  // From here a second start finds this window and hands over to it.
  lock.Release();
  KVMain.Show(showCommand);
  RunMessageLoop(KVMain);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  kavri::StartupLock lock;
  if (kavri::HandOffToRunningInstance(lock)) return 0;
  try {
    RunApplication(instance, showCommand, lock);
  } catch (const std::exception& e) {
    ShowStartError(e.what());
  } catch (...) {
    ShowStartError("Unknown error");
  }
  return 0;
}
