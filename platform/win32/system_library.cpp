#include "platform/win32/system_library.h"

#include <string>

namespace kavri {

FARPROC SystemProc(const char* library, const char* name) {
  HMODULE module = GetModuleHandleA(library);
  if (!module) {
    // By its full path, so that no DLL of that name beside kavri.exe is
    // ever loaded in its place.
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    module = LoadLibraryA((std::string(folder, length) + "\\" + library).c_str());
  }
  return module ? GetProcAddress(module, name) : nullptr;
}

}  // namespace kavri
