#include "platform/win32/file_stamper.h"

#include <windows.h>

#include "platform/win32/date_time.h"
#include "platform/win32/handles.h"

namespace kavri {

bool Win32FileStamper::SetLastWriteTime(const std::string& path, DosDateTime local) {
  const std::optional<FILETIME> time = LocalDosDateTimeToFileTime(local);
  if (!time) return false;
  // Without FILE_FLAG_BACKUP_SEMANTICS a folder does not open, so folders
  // are skipped like busy and read-only files.
  KernelHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  return kavri::SetLastWriteTime(file.Get(), *time);
}

}  // namespace kavri
