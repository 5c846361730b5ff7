#include "platform/win32/file_system.h"

#include <windows.h>

#include <algorithm>
#include <unordered_map>

#include "platform/error.h"
#include "platform/path_parts.h"
#include "platform/win32/handles.h"
#include "platform/win32/text.h"

namespace kavri {
namespace {

// The "A" call stops at MAX_PATH characters; a longer path, which a drop can
// bring, is asked for in its "\\?\" form, or a long folder would be taken
// for a file and get the file's script lines.
DWORD AttributesOf(const std::string& path) {
  if (path.size() < MAX_PATH) return GetFileAttributesA(path.c_str());
  std::wstring wide = ToWide(path);
  if (wide.size() > 2 && wide[1] == L':' && wide[2] == L'\\') {
    wide = L"\\\\?\\" + wide;
  } else if (wide.rfind(L"\\\\", 0) == 0 && wide.rfind(L"\\\\?\\", 0) != 0) {
    wide = L"\\\\?\\UNC\\" + wide.substr(2);
  }
  return GetFileAttributesW(wide.c_str());
}

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

// Below this many items of one folder, asking for each is cheaper than
// listing the folder.
constexpr std::size_t kListFolderFrom = 16;

// A name the folder listing can answer for exactly: plain ASCII, so that
// upper-casing compares as the file system does, with no wildcard, and no
// trailing dot or blank that the system would strip on lookup.
bool ListableName(std::string_view name) {
  if (name.empty() || name == "." || name == ".." || name.back() == '.' || name.back() == ' ') {
    return false;
  }
  for (char c : name) {
    if (static_cast<unsigned char>(c) >= 0x80 || c == '*' || c == '?') return false;
  }
  return true;
}

std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

enum class Entry { File, Folder, Ambiguous };

struct FolderListing {
  bool listed = false;  // false: ask for each item
  // By upper-case name. A folder on a case-sensitive file system (Wine's
  // Unix folders) may hold two names that differ only in case.
  std::unordered_map<std::string, Entry> names;
};

FolderListing ListFolder(const std::string& folder) {
  FolderListing listing;
  WIN32_FIND_DATAA found;
  FindHandle find(FindFirstFileExA((folder + "*").c_str(), FindExInfoBasic, &found,
                                   FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
  if (!find) {
    const DWORD error = GetLastError();
    // No such folder, or nothing in it: none of its items is there.
    listing.listed = error == ERROR_PATH_NOT_FOUND || error == ERROR_FILE_NOT_FOUND;
    return listing;
  }
  listing.listed = true;
  do {
    const Entry entry = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? Entry::Folder
                                                                            : Entry::File;
    const auto [place, added] = listing.names.emplace(UpperAscii(found.cFileName), entry);
    if (!added) place->second = Entry::Ambiguous;
  } while (FindNextFileA(find.Get(), &found));
  return listing;
}

}  // namespace

std::vector<bool> Win32FileSystem::AreFolders(const LineList& paths) {
  const CodePage cp = SystemCodePage();
  std::vector<bool> folders(paths.size());
  std::vector<bool> answered(paths.size());
  std::unordered_map<std::string_view, std::vector<std::size_t>> byFolder;
  std::vector<std::size_t>* lastGroup = nullptr;  // dropped items come folder by folder
  std::string_view lastFolder;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const std::size_t split = LastDelimiter(paths[i], cp);
    if (split == kNoDelimiter) continue;
    const std::string_view path(paths[i]);
    const std::string_view folder = path.substr(0, split + 1);
    if (!ListableName(path.substr(split + 1))) continue;
    if (!lastGroup || folder != lastFolder) {
      lastGroup = &byFolder[folder];
      lastFolder = folder;
    }
    lastGroup->push_back(i);
  }
  for (const auto& [folder, items] : byFolder) {
    if (items.size() < kListFolderFrom) continue;
    const FolderListing listing = ListFolder(std::string(folder));
    if (!listing.listed) continue;
    for (std::size_t i : items) {
      const auto entry = listing.names.find(UpperAscii(FileName(paths[i], cp)));
      if (entry != listing.names.end() && entry->second != Entry::Ambiguous) {
        folders[i] = entry->second == Entry::Folder;
        answered[i] = true;
      } else if (listing.names.empty()) {
        answered[i] = true;  // the folder is missing or empty
      }
    }
  }
  // Whatever the listings did not settle (short 8.3 names among them) is
  // asked for one by one.
  for (std::size_t i = 0; i < paths.size(); ++i) {
    if (!answered[i]) folders[i] = IsFolder(paths[i]);
  }
  return folders;
}

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
