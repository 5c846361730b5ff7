#pragma once

// Drives the real kavri.exe from outside, as a user and the file manager
// would: it starts the program in a sandbox folder, reads its controls with
// messages, types with SendInput, answers its message boxes, and watches the
// files it leaves behind. Runs inside a Wine virtual desktop (see
// tests/wine-run.sh), where activation and SendInput behave as on Windows.

#include <windows.h>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace kavri::e2e {

using namespace std::chrono_literals;
using Milliseconds = std::chrono::milliseconds;

// Where the build put the programs under test (set from the command line).
void SetBuildPaths(const std::wstring& kavriExe);
std::wstring BuiltKavriExe();
std::wstring BuiltFile(std::wstring_view nameBesideKavri);

bool WaitUntil(const std::function<bool()>& condition, Milliseconds limit = 10s);

std::string ToUtf8(std::wstring_view text);
std::wstring FromAnsi(std::string_view text, UINT codePage = CP_ACP);

// A fresh folder of its own for one test, removed afterwards.
class Sandbox {
 public:
  Sandbox();
  ~Sandbox();
  Sandbox(const Sandbox&) = delete;
  Sandbox& operator=(const Sandbox&) = delete;

  const std::wstring& Dir() const { return dir_; }  // ends with a backslash
  std::wstring Path(std::wstring_view relative) const { return dir_ + std::wstring(relative); }

  void MakeDir(std::wstring_view relative) const;
  void WriteFile(std::wstring_view relative, std::string_view bytes) const;
  std::string ReadFile(std::wstring_view relative) const;
  bool IsFile(std::wstring_view relative) const;
  bool IsDir(std::wstring_view relative) const;
  bool Exists(std::wstring_view relative) const;
  // Every file and folder below the sandbox, relative, folders ending in "\".
  std::vector<std::wstring> Tree(std::wstring_view relative = L"") const;

  // Copies kavri.exe and its companions into `relative` and returns the
  // program's full path there.
  std::wstring InstallKavri(std::wstring_view relative = L"prog\\") const;

 private:
  std::wstring dir_;
};

struct Key {
  WORD vk;
  bool shift = false;
  bool ctrl = false;
};

struct MessageBoxSeen {
  HWND window = nullptr;
  std::wstring caption;
  std::wstring text;
};

// A running kavri.exe. Killed at the end of the test if still running.
class Kavri {
 public:
  Kavri(const std::wstring& exe, const std::wstring& arguments = L"");
  ~Kavri();
  Kavri(const Kavri&) = delete;
  Kavri& operator=(const Kavri&) = delete;

  DWORD Pid() const { return pid_; }
  HANDLE Process() const { return process_; }
  // The main window, once it has appeared; null if it never did.
  HWND Window(Milliseconds limit = 15s);
  HWND List();
  HWND Combo();
  HWND Button(const wchar_t* caption);

  std::vector<std::wstring> ListLines();
  std::wstring Destination();
  std::vector<std::wstring> History();
  void SetDestination(const std::wstring& text);
  void Select(int index, bool selected = true);

  // Brings the window forward and types the keys into the focused control.
  void Type(std::initializer_list<Key> keys);
  void Click(const wchar_t* buttonCaption);
  // Waits until kavri has taken what it was sent and is waiting for input.
  void Settle();

  MessageBoxSeen WaitForMessageBox(Milliseconds limit = 10s);
  bool NoMessageBox();
  static void Answer(const MessageBoxSeen& box, int button);

  bool WaitForExit(Milliseconds limit = 10s);
  bool Running();

 private:
  HANDLE process_ = nullptr;
  DWORD pid_ = 0;
  HWND window_ = nullptr;
};

// Starts a program and waits for it to end; false if it did not in time
// (it is then killed). The exit code is stored when asked for.
bool RunToEnd(const std::wstring& exe, const std::wstring& arguments, Milliseconds limit,
              DWORD* exitCode = nullptr);

// Top-level windows of a process, for checking that a second start never
// showed one.
std::vector<HWND> TopLevelWindowsOf(DWORD pid);

std::wstring Quoted(const std::wstring& text);

// Makes a shell shortcut the way the file manager does (COM initialised).
bool MakeShortcut(const std::wstring& at, const std::wstring& target);

}  // namespace kavri::e2e
