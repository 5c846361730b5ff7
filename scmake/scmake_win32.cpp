#include "scmake/scmake_win32.h"

#include <windows.h>

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <cstring>
#include <utility>

#include "platform/win32/handles.h"
#include "platform/win32/path_converter.h"
#include "platform/win32/system_library.h"
#include "platform/win32/text.h"

namespace kavri {
namespace {

// The identifiers kavri needs, spelled here rather than linked from the
// system's uuid library, which brings every identifier it knows.
constexpr CLSID kClsidShellLink = {
    0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kIidShellLinkA = {
    0x000214EE, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kIidPersistFile = {
    0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

constexpr IID kIidShellLinkW = {
    0x000214F9, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

HRESULT CallCoInitialize() {
  const auto coInitialize = SystemFunction<decltype(&CoInitialize)>("ole32.dll", "CoInitialize");
  return coInitialize ? coInitialize(nullptr) : E_NOTIMPL;
}

std::string TextOf(const char (&buffer)[MAX_PATH]) {
  return std::string(buffer, strnlen(buffer, MAX_PATH));
}

// The path as the file interface wants it, in at most MAX_PATH characters
// with the terminator; or the error that kept it from fitting.
HRESULT ToWidePath(const std::string& path, std::wstring& wide) {
  wchar_t buffer[MAX_PATH];
  if (MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, buffer, MAX_PATH) == 0) {
    const DWORD error = GetLastError();
    return HRESULT_FROM_WIN32(error == ERROR_INSUFFICIENT_BUFFER ? ERROR_FILENAME_EXCED_RANGE
                                                                 : error);
  }
  wide = buffer;
  return S_OK;
}

class ComShellLinkFile : public ShellLinkFile {
 public:
  explicit ComShellLinkFile(ComPtr<IPersistFile> file) : file_(std::move(file)) {}

  LinkResult Load(const std::string& path) override {
    std::wstring wide;
    const HRESULT converted = ToWidePath(path, wide);
    if (FAILED(converted)) return converted;
    return file_->Load(wide.c_str(), STGM_READ);
  }

  LinkResult Save(const std::string& path, bool remember) override {
    std::wstring wide;
    const HRESULT converted = ToWidePath(path, wide);
    if (FAILED(converted)) return converted;
    return file_->Save(wide.c_str(), remember ? TRUE : FALSE);
  }

 private:
  ComPtr<IPersistFile> file_;
};

class ComShellLink : public ShellLink {
 public:
  explicit ComShellLink(ComPtr<IShellLinkA> link) : link_(std::move(link)) {}

  LinkResult QueryFile(std::unique_ptr<ShellLinkFile>& file) override {
    ComPtr<IPersistFile> persist;
    const HRESULT result = link_->QueryInterface(kIidPersistFile, persist.PutVoid());
    if (FAILED(result)) return result;
    file = std::make_unique<ComShellLinkFile>(std::move(persist));
    return result;
  }

  LinkResult GetPath(std::string& path) override {
    char buffer[MAX_PATH] = {};
    WIN32_FIND_DATAA findData{};
    const HRESULT result = link_->GetPath(buffer, MAX_PATH, &findData, SLGP_UNCPRIORITY);
    path = FAILED(result) ? std::string() : TextOf(buffer);
    return result;
  }

  LinkResult GetWorkingDirectory(std::string& folder) override {
    char buffer[MAX_PATH] = {};
    const HRESULT result = link_->GetWorkingDirectory(buffer, MAX_PATH);
    folder = FAILED(result) ? std::string() : TextOf(buffer);
    return result;
  }

  LinkResult GetShowCmd(std::int32_t& showCommand) override {
    int value = 0;
    const HRESULT result = link_->GetShowCmd(&value);
    showCommand = FAILED(result) ? 0 : value;
    return result;
  }

  LinkResult GetHotkey(std::uint16_t& hotkey) override {
    WORD value = 0;
    const HRESULT result = link_->GetHotkey(&value);
    hotkey = FAILED(result) ? 0 : value;
    return result;
  }

  LinkResult GetIconLocation(std::string& path, std::int32_t& index) override {
    char buffer[MAX_PATH] = {};
    int value = 0;
    const HRESULT result = link_->GetIconLocation(buffer, MAX_PATH, &value);
    path = FAILED(result) ? std::string() : TextOf(buffer);
    index = FAILED(result) ? 0 : value;
    return result;
  }

  LinkResult GetArguments(std::string& arguments) override {
    char buffer[MAX_PATH] = {};
    const HRESULT result = link_->GetArguments(buffer, MAX_PATH);
    arguments = FAILED(result) ? std::string() : TextOf(buffer);
    return result;
  }

  LinkResult SetPath(const std::string& path) override { return link_->SetPath(path.c_str()); }
  LinkResult SetWorkingDirectory(const std::string& folder) override {
    return link_->SetWorkingDirectory(folder.c_str());
  }
  LinkResult SetShowCmd(std::int32_t showCommand) override {
    return link_->SetShowCmd(showCommand);
  }
  LinkResult SetHotkey(std::uint16_t hotkey) override { return link_->SetHotkey(hotkey); }
  LinkResult SetIconLocation(const std::string& path, std::int32_t index) override {
    return link_->SetIconLocation(path.c_str(), index);
  }
  LinkResult SetArguments(const std::string& arguments) override {
    return link_->SetArguments(arguments.c_str());
  }

 private:
  ComPtr<IShellLinkA> link_;
};

}  // namespace

LinkResult ComShellLinkFactory::Create(std::unique_ptr<ShellLink>& link) {
  ComPtr<IShellLinkA> created;
  static const auto coCreateInstance =
      SystemFunction<decltype(&CoCreateInstance)>("ole32.dll", "CoCreateInstance");
  const HRESULT result =
      coCreateInstance ? coCreateInstance(kClsidShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                          kIidShellLinkA, created.PutVoid())
                       : E_NOTIMPL;
  if (FAILED(result)) return result;
  link = std::make_unique<ComShellLink>(std::move(created));
  return result;
}

// A thread already in a multithreaded apartment refuses CoInitialize with
// RPC_E_CHANGED_MODE; only a call that succeeded (S_OK, or S_FALSE when COM
// was already up) is balanced with CoUninitialize.
TSCMake::TSCMake()
    : comInitialised_(SUCCEEDED(CallCoInitialize())), codePage_(SystemCodePage()) {}

TSCMake::~TSCMake() {
  if (comInitialised_) {
    if (const auto coUninitialize =
            SystemFunction<decltype(&CoUninitialize)>("ole32.dll", "CoUninitialize")) {
      coUninitialize();
    }
  }
}

int TSCMake::ReadLink(const std::string& path) {
  return ReadLinkInto(*this, path, links_, codePage_);
}

LinkResult TSCMake::MakeLink() {
  return MakeLinkFrom(*this, links_);
}

namespace {

// The target as the shortcut holds it, in UTF-16.
std::optional<std::wstring> WideTargetOf(const std::string& shortcut) {
  static const auto coCreateInstance =
      SystemFunction<decltype(&CoCreateInstance)>("ole32.dll", "CoCreateInstance");
  ComPtr<IShellLinkW> link;
  ComPtr<IPersistFile> file;
  if (!coCreateInstance ||
      FAILED(coCreateInstance(kClsidShellLink, nullptr, CLSCTX_INPROC_SERVER, kIidShellLinkW,
                              link.PutVoid())) ||
      FAILED(link->QueryInterface(kIidPersistFile, file.PutVoid())) ||
      FAILED(file->Load(ToWide(shortcut).c_str(), STGM_READ))) {
    return std::nullopt;
  }
  wchar_t buffer[MAX_PATH] = {};
  WIN32_FIND_DATAW findData{};
  if (FAILED(link->GetPath(buffer, MAX_PATH, &findData, SLGP_UNCPRIORITY))) return std::nullopt;
  return std::wstring(buffer);
}

}  // namespace

std::optional<std::string> SCMakeShortcutReader::ReadTarget(const std::string& path) {
  // A shortcut to something that is no file (a printer, a control panel
  // item) reads well but names no path to follow.
  if (component_.ReadLink(path) != 0 || component_.LinkPath().empty()) return std::nullopt;
  // The component's "A" interface spells a character that the code page
  // lacks as "?" (a wildcard to DEL) or as a look-alike; the target is taken
  // from the wide interface instead, exactly or by its short name, or not
  // at all.
  // No path holds "?" or "*"; where the file itself keeps such a spelling
  // (Wine saves the target of a shortcut only in the code page), there is
  // nothing safe to follow.
  const std::optional<std::wstring> target = WideTargetOf(path);
  if (!target || target->empty() || target->find_first_of(L"?*") != std::wstring::npos) {
    return std::nullopt;
  }
  return AnsiPathFor(*target);
}

}  // namespace kavri
