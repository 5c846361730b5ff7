#pragma once

#include <windows.h>

namespace kavri {

// A function of a system library, loaded from the system folder when first
// asked for. A second start, which only hands its argument over, then loads
// neither COM nor the shell nor the common controls. Null when the library
// or the function is missing.
FARPROC SystemProc(const char* library, const char* name);

template <typename Function>
Function SystemFunction(const char* library, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(SystemProc(library, name)));
}

}  // namespace kavri
