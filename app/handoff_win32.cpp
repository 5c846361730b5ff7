#include "app/handoff_win32.h"

#include <string>

#include "app/drop_block.h"
#include "app/drop_block_win32.h"
#include "app/startup_lock_win32.h"
#include "mainwindow/design.h"
#include "mainwindow/intake.h"
#include "platform/win32/command_line.h"
#include "platform/win32/handles.h"
#include "platform/win32/path_converter.h"

namespace kavri {
namespace {

constexpr UINT kSendTimeoutMs = 10000;

}  // namespace

bool SendDropBlock(HWND window, HGLOBAL block) {
  GlobalLockScope lock(block);
  if (!lock) return false;
  COPYDATASTRUCT data{};
  data.dwData = kWmDropFiles;
  data.cbData = static_cast<DWORD>(GlobalSize(block));
  data.lpData = lock.Data();
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                             SMTO_ABORTIFHUNG, kSendTimeoutMs, &result) != 0;
}

bool HandOffToRunningInstance(StartupLock& lock) {
  HWND running = FindWindowA(kWindowClassName, kWindowTitle);
  if (!running) return false;
  const std::vector<std::wstring> arguments = CommandLineArguments();
  if (arguments.empty()) return true;
  const std::optional<std::string> path = AnsiPathFor(arguments.front());
  if (!path) {
    lock.Release();
    MessageBoxW(nullptr, RefusedPathsMessage({arguments.front()}).c_str(), L"kavri",
                MB_OK | MB_ICONSTOP);
    return true;
  }

  GlobalMemory block(NewDropBlock());
  if (!block) return true;
  HGLOBAL grown = AddDropFile(block.Get(), *path);
  if (!grown) return true;
  block.Detach();  // the grown block may carry the same handle
  GlobalMemory owned(grown);
  SendDropBlock(running, owned.Get());
  return true;
}

}  // namespace kavri
