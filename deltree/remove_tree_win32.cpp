#include "deltree/remove_tree_win32.h"

#include <cstddef>

#include "platform/win32/handles.h"

namespace kavri::deltree {

namespace {

constexpr DWORD kSettableAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                      FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                      FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE |
                                      FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

bool IsLink(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }
bool IsFolder(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

// Opens the item itself, so a link gets its own attributes changed and never
// its target's. In FILE_BASIC_INFO zero means "leave as is", hence NORMAL.
bool SetOwnAttributes(const std::wstring& path, DWORD attributes) {
  constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  constexpr DWORD kItself = FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT;
  KernelHandle item(CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, kShareAll, nullptr,
                                OPEN_EXISTING, kItself, nullptr));
  if (!item) return false;
  FILE_BASIC_INFO info{};
  info.FileAttributes = attributes & kSettableAttributes;
  if (info.FileAttributes == 0) info.FileAttributes = FILE_ATTRIBUTE_NORMAL;
  return SetFileInformationByHandle(item.Get(), FileBasicInfo, &info, sizeof info) != FALSE;
}

// Read-only stops DeleteFileW and, on Windows, RemoveDirectoryW; hidden and
// system stop neither. True when the flag was there and is now cleared.
bool ClearReadOnly(const std::wstring& path, DWORD attributes) {
  if ((attributes & FILE_ATTRIBUTE_READONLY) == 0) return false;
  return SetOwnAttributes(path, attributes & ~FILE_ATTRIBUTE_READONLY);
}

// `settled` when nothing inside failed: then "not empty" can only be a file
// deleted a moment ago. On Windows a deleted file stays in its folder until
// every handle to it is closed; virus scanners and the search indexer let go
// within moments.
bool RemoveEmptiedFolder(const std::wstring& path, bool settled) {
  if (RemoveDirectoryW(path.c_str())) return true;
  for (int attempt = 0; settled && attempt < 10 && GetLastError() == ERROR_DIR_NOT_EMPTY;
       ++attempt) {
    Sleep(20);
    if (RemoveDirectoryW(path.c_str())) return true;
  }
  return false;
}

// A file, or a link of either kind: DeleteFileW and RemoveDirectoryW both
// remove a link itself, whichever one its folder flag calls for.
DWORD RemoveSingle(const std::wstring& path, DWORD attributes) {
  const bool cleared = ClearReadOnly(path, attributes);
  const BOOL removed =
      IsFolder(attributes) ? RemoveDirectoryW(path.c_str()) : DeleteFileW(path.c_str());
  if (removed) return ERROR_SUCCESS;
  const DWORD error = GetLastError();
  // What stays keeps the attributes it had.
  if (cleared) SetOwnAttributes(path, attributes);
  return error;
}

class TreeRemover {
 public:
  std::vector<Failure> Remove(const std::wstring& root, DWORD attributes) {
    // An explicit stack instead of recursion: a tree may be thousands of
    // levels deep within the 32767 characters of a "\\?\" path.
    folders_.push_back(Folder{root, attributes, kNoParent});
    while (!folders_.empty()) {
      const std::size_t top = folders_.size() - 1;
      if (!folders_[top].listed) {
        EmptyOut(top);
      } else {
        RemoveEmptied(top);
      }
    }
    return std::move(failures_);
  }

 private:
  static constexpr std::size_t kNoParent = static_cast<std::size_t>(-1);

  struct Folder {
    std::wstring path;
    DWORD attributes;
    std::size_t parent;
    bool listed = false;
    bool cleared = false;
    bool skip = false;  // its contents could not be listed
    bool childFailed = false;
  };

  // Removes the files and links of folder `index` and stacks its subfolders
  // above it, so they are gone before it comes up again.
  void EmptyOut(std::size_t index) {
    folders_[index].listed = true;
    folders_[index].cleared = ClearReadOnly(folders_[index].path, folders_[index].attributes);
    const std::wstring prefix = folders_[index].path + L"\\";
    WIN32_FIND_DATAW entry;
    FindHandle find(FindFirstFileExW((prefix + L"*").c_str(), FindExInfoBasic, &entry,
                                     FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) {
      const DWORD error = GetLastError();
      // Some file systems list no "." and "..": then an empty folder has no
      // entries at all.
      if (error == ERROR_FILE_NOT_FOUND) return;
      Fail(index, folders_[index].path, error);
      folders_[index].skip = true;
      return;
    }
    do {
      const std::wstring_view name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring path = prefix + entry.cFileName;
      const DWORD attributes = entry.dwFileAttributes;
      if (IsFolder(attributes) && !IsLink(attributes)) {
        folders_.push_back(Folder{std::move(path), attributes, index});
      } else if (const DWORD error = RemoveSingle(path, attributes); error != ERROR_SUCCESS) {
        Fail(index, path, error);
      }
    } while (FindNextFileW(find.Get(), &entry));
    if (const DWORD error = GetLastError(); error != ERROR_NO_MORE_FILES) {
      Fail(index, folders_[index].path, error);
      folders_[index].skip = true;
    }
  }

  void RemoveEmptied(std::size_t index) {
    Folder folder = std::move(folders_[index]);
    folders_.pop_back();
    if (!folder.skip && RemoveEmptiedFolder(folder.path, !folder.childFailed)) return;
    const DWORD error = GetLastError();
    // What stays keeps the attributes it had.
    if (folder.cleared) SetOwnAttributes(folder.path, folder.attributes);
    if (folder.skip) {
      MarkFailed(folder.parent);
      return;
    }
    // A folder that kept something already reported is not news.
    if (folder.childFailed && error == ERROR_DIR_NOT_EMPTY) {
      MarkFailed(folder.parent);
    } else {
      Fail(folder.parent, folder.path, error);
    }
  }

  void Fail(std::size_t folder, const std::wstring& path, DWORD error) {
    failures_.push_back(Failure{path, error});
    MarkFailed(folder);
  }

  void MarkFailed(std::size_t folder) {
    if (folder != kNoParent) folders_[folder].childFailed = true;
  }

  std::vector<Folder> folders_;
  std::vector<Failure> failures_;
};

}  // namespace

std::vector<Failure> RemoveItem(const std::wstring& extendedPath, DWORD attributes) {
  if (IsFolder(attributes) && !IsLink(attributes)) {
    return TreeRemover().Remove(extendedPath, attributes);
  }
  if (const DWORD error = RemoveSingle(extendedPath, attributes); error != ERROR_SUCCESS) {
    return {Failure{extendedPath, error}};
  }
  return {};
}

}  // namespace kavri::deltree
