#include "platform/win32/file_system.h"

#include <windows.h>

#include <algorithm>

#include "platform/error.h"
#include "platform/win32/handles.h"
#include "platform/win32/text.h"

namespace kavri {
namespace {

DWORD AttributesOf(const std::string& path) { return GetFileAttributesA(path.c_str()); }

Error FileError(const char* what, const std::string& path, DWORD error) {
  return Error(std::string(what) + " \"" + path + "\". " + SystemErrorText(error));
}

// Writes the whole text to a new file, or throws and leaves no file behind.
void WriteNewFile(const std::string& path, std::string_view bytes, DWORD flags) {
  KernelHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL | flags, nullptr));
  if (!file) throw FileError("Cannot create file", path, GetLastError());
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
    DWORD written = 0;
    if (!::WriteFile(file.Get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) {
      const DWORD error = GetLastError();
      file.Release();
      DeleteFileA(path.c_str());
      throw FileError("Cannot write file", path, error);
    }
    done += written;
  }
  if ((flags & FILE_FLAG_WRITE_THROUGH) && !FlushFileBuffers(file.Get())) {
    const DWORD error = GetLastError();
    file.Release();
    DeleteFileA(path.c_str());
    throw FileError("Cannot write file", path, error);
  }
  if (!CloseHandle(file.Detach())) {
    const DWORD error = GetLastError();
    DeleteFileA(path.c_str());
    throw FileError("Cannot write file", path, error);
  }
}

}  // namespace

bool Win32FileSystem::IsFolder(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::IsFile(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> Win32FileSystem::ReadFile(const std::string& path) {
  KernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::nullopt;
    throw FileError("Cannot open file", path, error);
  }
  std::string bytes;
  char buffer[64 * 1024];
  DWORD read = 0;
  for (;;) {
    if (!::ReadFile(file.Get(), buffer, sizeof(buffer), &read, nullptr)) {
      throw FileError("Cannot read file", path, GetLastError());
    }
    if (read == 0) break;
    bytes.append(buffer, read);
  }
  return bytes;
}

void Win32FileSystem::WriteFile(const std::string& path, std::string_view bytes) {
  WriteNewFile(path, bytes, 0);
}

void Win32FileSystem::ReplaceContents(const std::string& path, std::string_view bytes) {
  // Written beside the old file so the replacement stays on one volume,
  // where MoveFileEx swaps the name in one step.
  const std::string temporary = path + ".new";
  WriteNewFile(temporary, bytes, FILE_FLAG_WRITE_THROUGH);
  if (!MoveFileExA(temporary.c_str(), path.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = GetLastError();
    DeleteFileA(temporary.c_str());
    throw FileError("Cannot create file", path, error);
  }
}

bool Win32FileSystem::Move(const std::string& from, const std::string& to) {
  return MoveFileA(from.c_str(), to.c_str()) != FALSE;
}

bool Win32FileSystem::MakeFolder(const std::string& path) {
  return CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

}  // namespace kavri
