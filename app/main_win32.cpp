#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <exception>

#include "app/handoff_win32.h"
#include "mainwindow/kvmain_win32.h"
#include "platform/win32/command_line.h"
#include "platform/win32/dialogs.h"

namespace {

void RunMessageLoop(kavri::TKVMain& window) {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (window.PreTranslateMessage(message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void RunApplication(HINSTANCE instance, int showCommand) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  kavri::TKVMain KVMain(instance);
  KVMain.Construct(kavri::CommandLineArguments());
  KVMain.Show(showCommand);
  RunMessageLoop(KVMain);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  if (kavri::HandOffToRunningInstance()) return 0;
  try {
    RunApplication(instance, showCommand);
  } catch (const std::exception& e) {
    kavri::ShowError(nullptr, e.what());
  } catch (...) {
    kavri::ShowError(nullptr, "Unknown error");
  }
  return 0;
}
