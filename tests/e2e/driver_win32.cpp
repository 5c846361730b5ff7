#include "e2e/driver_win32.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <thread>

#include "win32/temp_dir.h"

namespace kavri::e2e {
namespace {

std::wstring gKavriExe;

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// WM_GETTEXT is sent, not read from another process's memory, so it gives
// the edit text of a box in another process too.
std::wstring SentText(HWND window) {
  const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied =
      SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(copied));
  return text;
}

void CollectTree(const std::wstring& base, const std::wstring& relative,
                 std::vector<std::wstring>& out) {
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((base + relative + L"*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      out.push_back(relative + name + L"\\");
      CollectTree(base, relative + name + L"\\", out);
    } else {
      out.push_back(relative + name);
    }
  } while (FindNextFileW(find, &found));
  FindClose(find);
}

HANDLE StartProcess(const std::wstring& exe, const std::wstring& arguments, DWORD* pid) {
  std::wstring commandLine = Quoted(exe);
  if (!arguments.empty()) commandLine += L" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  const std::wstring dir = exe.substr(0, exe.find_last_of(L'\\') + 1);
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      dir.c_str(), &startup, &info)) {
    return nullptr;
  }
  CloseHandle(info.hThread);
  if (pid) *pid = info.dwProcessId;
  return info.hProcess;
}

struct BoxSearch {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK FindBox(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<BoxSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  wchar_t className[32] = {};
  GetClassNameW(window, className, 32);
  if (pid == search->pid && std::wstring(className) == L"#32770" && IsWindowVisible(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

struct WindowsOf {
  DWORD pid;
  std::vector<HWND> windows;
};

BOOL CALLBACK CollectWindows(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowsOf*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == search->pid) search->windows.push_back(window);
  return TRUE;
}

void PushKey(std::vector<INPUT>& inputs, WORD vk, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  if (vk == VK_INSERT || vk == VK_DELETE || vk == VK_HOME || vk == VK_END || vk == VK_LEFT ||
      vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN) {
    input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
  }
  inputs.push_back(input);
}

}  // namespace

void SetBuildPaths(const std::wstring& kavriExe) {
  std::wstring path = kavriExe;
  // Wine maps the host's root to Z:.
  if (!path.empty() && path.front() == L'/') path = L"Z:" + path;
  std::replace(path.begin(), path.end(), L'/', L'\\');
  gKavriExe = path;
}

std::wstring BuiltKavriExe() { return gKavriExe; }

std::wstring BuiltFile(std::wstring_view nameBesideKavri) {
  return gKavriExe.substr(0, gKavriExe.find_last_of(L'\\') + 1) + std::wstring(nameBesideKavri);
}

bool WaitUntil(const std::function<bool()>& condition, Milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(20ms);
  }
  return true;
}

std::string ToUtf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                      nullptr, nullptr);
  return result;
}

std::wstring FromAnsi(std::string_view text, UINT codePage) {
  if (text.empty()) return {};
  const int size =
      MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring result(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), result.data(), size);
  return result;
}

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

bool MakeShortcut(const std::wstring& at, const std::wstring& target) {
  IShellLinkW* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link)))) {
    return false;
  }
  link->SetPath(target.c_str());
  IPersistFile* file = nullptr;
  bool saved = false;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    saved = SUCCEEDED(file->Save(at.c_str(), TRUE));
    file->Release();
  }
  link->Release();
  return saved;
}

Sandbox::Sandbox() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  static int counter = 0;
  for (;;) {
    dir_ = std::wstring(temp) + L"kavri-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(++counter) + L"\\";
    if (CreateDirectoryW(dir_.c_str(), nullptr)) break;
  }
}

Sandbox::~Sandbox() { testing::TempDir::RemoveTree(dir_); }

void Sandbox::MakeDir(std::wstring_view relative) const {
  CreateDirectoryW(Path(relative).c_str(), nullptr);
}

void Sandbox::WriteFile(std::wstring_view relative, std::string_view bytes) const {
  HANDLE file = CreateFileW(Path(relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

std::string Sandbox::ReadFile(std::wstring_view relative) const {
  HANDLE file = CreateFileW(Path(relative).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
    bytes.append(buffer, read);
  }
  CloseHandle(file);
  return bytes;
}

bool Sandbox::IsFile(std::wstring_view relative) const {
  const DWORD attributes = GetFileAttributesW(Path(relative).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Sandbox::IsDir(std::wstring_view relative) const {
  const DWORD attributes = GetFileAttributesW(Path(relative).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Sandbox::Exists(std::wstring_view relative) const {
  return GetFileAttributesW(Path(relative).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::wstring> Sandbox::Tree(std::wstring_view relative) const {
  std::vector<std::wstring> entries;
  CollectTree(dir_, std::wstring(relative), entries);
  std::sort(entries.begin(), entries.end());
  return entries;
}

std::wstring Sandbox::InstallKavri(std::wstring_view relative) const {
  MakeDir(relative);
  const std::wstring target = Path(relative);
  CopyFileW(BuiltKavriExe().c_str(), (target + L"kavri.exe").c_str(), FALSE);
  for (const wchar_t* companion : {L"deltree.exe", L"readme.txt"}) {
    CopyFileW(BuiltFile(companion).c_str(), (target + companion).c_str(), FALSE);
  }
  return target + L"kavri.exe";
}

Kavri::Kavri(const std::wstring& exe, const std::wstring& arguments) {
  process_ = StartProcess(exe, arguments, &pid_);
}

Kavri::~Kavri() {
  if (process_) {
    if (Running()) {
      TerminateProcess(process_, 1);
      WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
  }
}

HWND Kavri::Window(Milliseconds limit) {
  if (window_ && IsWindow(window_)) return window_;
  window_ = nullptr;
  WaitUntil(
      [this] {
        for (HWND candidate = FindWindowW(L"TKVMain", L"kavri"); candidate;
             candidate = FindWindowExW(nullptr, candidate, L"TKVMain", L"kavri")) {
          DWORD pid = 0;
          GetWindowThreadProcessId(candidate, &pid);
          if (pid == pid_ && IsWindowVisible(candidate)) {
            window_ = candidate;
            return true;
          }
        }
        return !Running();
      },
      limit);
  return window_;
}

HWND Kavri::List() { return FindWindowExW(Window(), nullptr, L"ListBox", nullptr); }

HWND Kavri::Combo() { return FindWindowExW(Window(), nullptr, L"ComboBox", nullptr); }

HWND Kavri::Button(const wchar_t* caption) {
  return FindWindowExW(Window(), nullptr, L"Button", caption);
}

std::vector<std::wstring> Kavri::ListLines() {
  HWND list = List();
  std::vector<std::wstring> lines;
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    std::wstring line(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i),
                                        reinterpret_cast<LPARAM>(line.data()));
    line.resize(copied < 0 ? 0 : static_cast<std::size_t>(copied));
    lines.push_back(line);
  }
  return lines;
}

std::wstring Kavri::Destination() { return SentText(Combo()); }

std::vector<std::wstring> Kavri::History() {
  HWND combo = Combo();
  std::vector<std::wstring> lines;
  const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    std::wstring line(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i),
                                        reinterpret_cast<LPARAM>(line.data()));
    line.resize(copied < 0 ? 0 : static_cast<std::size_t>(copied));
    lines.push_back(line);
  }
  return lines;
}

void Kavri::SetDestination(const std::wstring& text) {
  SendMessageW(Combo(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Kavri::Select(int index, bool selected) {
  SendMessageW(List(), LB_SETSEL, selected ? TRUE : FALSE, index);
}

void Kavri::Type(std::initializer_list<Key> keys) {
  HWND window = Window();
  SetForegroundWindow(window);
  WaitUntil([window] { return GetForegroundWindow() == window; }, 5s);
  Settle();
  for (const Key& key : keys) {
    std::vector<INPUT> inputs;
    if (key.ctrl) PushKey(inputs, VK_CONTROL, false);
    if (key.shift) PushKey(inputs, VK_SHIFT, false);
    PushKey(inputs, key.vk, false);
    PushKey(inputs, key.vk, true);
    if (key.shift) PushKey(inputs, VK_SHIFT, true);
    if (key.ctrl) PushKey(inputs, VK_CONTROL, true);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Settle();
  }
}

void Kavri::Click(const wchar_t* buttonCaption) {
  HWND button = Button(buttonCaption);
  PostMessageW(Window(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
}

void Kavri::Settle() {
  std::this_thread::sleep_for(50ms);
  if (Running()) WaitForInputIdle(process_, 5000);
  if (window_ && IsWindow(window_)) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
  }
}

MessageBoxSeen Kavri::WaitForMessageBox(Milliseconds limit) {
  MessageBoxSeen seen;
  WaitUntil(
      [&] {
        BoxSearch search{pid_, nullptr};
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
        seen.window = search.found;
        return seen.window != nullptr;
      },
      limit);
  if (seen.window) {
    // Give the box a moment to fill in its text before it is read.
    std::this_thread::sleep_for(100ms);
    seen.caption = TextOf(seen.window);
    seen.text = TextOf(GetDlgItem(seen.window, 0xFFFF));
  }
  return seen;
}

bool Kavri::NoMessageBox() {
  BoxSearch search{pid_, nullptr};
  EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
  return search.found == nullptr;
}

void Kavri::Answer(const MessageBoxSeen& box, int button) {
  PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
}

bool Kavri::WaitForExit(Milliseconds limit) {
  return WaitForSingleObject(process_, static_cast<DWORD>(limit.count())) == WAIT_OBJECT_0;
}

bool Kavri::Running() { return WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

bool RunToEnd(const std::wstring& exe, const std::wstring& arguments, Milliseconds limit,
              DWORD* exitCode) {
  DWORD pid = 0;
  HANDLE process = StartProcess(exe, arguments, &pid);
  if (!process) return false;
  const bool ended =
      WaitForSingleObject(process, static_cast<DWORD>(limit.count())) == WAIT_OBJECT_0;
  if (!ended) TerminateProcess(process, 1);
  if (exitCode) GetExitCodeProcess(process, exitCode);
  CloseHandle(process);
  return ended;
}

std::vector<HWND> TopLevelWindowsOf(DWORD pid) {
  WindowsOf search{pid, {}};
  EnumWindows(CollectWindows, reinterpret_cast<LPARAM>(&search));
  return search.windows;
}

}  // namespace kavri::e2e
