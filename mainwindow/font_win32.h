#pragma once

#include <windows.h>

#include "platform/win32/handles.h"

namespace kavri {

// The window's font: "ＭＳ Ｐゴシック" with 12-pixel characters at 96 dpi, or,
// where that face is not installed, the system's message font at the same
// height, so that the Latin captions never fall to a bitmap stand-in.
Font CreateWindowFont(UINT dpi);

}  // namespace kavri
