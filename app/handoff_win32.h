#pragma once

#include <windows.h>

namespace kavri {

class StartupLock;

// True when a window of kavri is already open, whether or not anything was
// sent to it; the caller then ends the process. Only the first argument is
// handed over. The lock is let go before anything waits on the user.
bool HandOffToRunningInstance(StartupLock& lock);

// Sends a drop block's bytes to `window` with WM_COPYDATA. A global handle
// means nothing in another process on NT and under Wine, so the bytes travel
// instead of the handle.
bool SendDropBlock(HWND window, HGLOBAL block);

}  // namespace kavri
