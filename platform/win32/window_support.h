#pragma once

#include <windows.h>

namespace kavri {

// Pixels per inch of the monitor that shows `window`, or of the system when
// the running Windows cannot tell per monitor.
UINT DpiForWindow(HWND window);
UINT SystemDpi();

// Makes the window a drop target for files, as DragAcceptFiles does, without
// loading the shell's library at start.
void AcceptDroppedFiles(HWND window);

// Lets drops, hand-offs and the shell's copy of a drop handle reach a window
// that runs elevated. A stub under Wine; missing before Windows 7.
void AllowDropMessages(HWND window);

// The outer bounds of a window as it would be restored, in screen pixels.
RECT RestoredWindowBounds(HWND window);

}  // namespace kavri
