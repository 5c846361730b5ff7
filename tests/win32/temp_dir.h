#pragma once

#include <windows.h>

#include <string>

namespace kavri::testing {

// A fresh folder under the temporary folder, removed with everything in it.
class TempDir {
 public:
  explicit TempDir(const std::wstring& stem = L"kavri-test") {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    static int counter = 0;
    do {
      dir_ = std::wstring(temp) + stem + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
             std::to_wstring(++counter) + L"\\";
    } while (!CreateDirectoryW(dir_.c_str(), nullptr));
  }
  ~TempDir() { RemoveTree(dir_); }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::wstring& Dir() const { return dir_; }
  std::wstring Path(const std::wstring& relative) const { return dir_ + relative; }

  static void RemoveTree(const std::wstring& dir) {
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((dir + L"*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = dir + name;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
          RemoveTree(path + L"\\");
        } else if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveDirectoryW(path.c_str());
        } else {
          DeleteFileW(path.c_str());
        }
      } while (FindNextFileW(find, &found));
      FindClose(find);
    }
    RemoveDirectoryW(dir.c_str());
  }

 private:
  std::wstring dir_;
};

inline bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

inline bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline std::string Narrow(const std::wstring& text, UINT codePage = CP_ACP) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                      nullptr, nullptr);
  return result;
}

}  // namespace kavri::testing
