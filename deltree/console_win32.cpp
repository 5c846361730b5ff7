#include "deltree/console_win32.h"

#include "platform/win32/handles.h"

namespace kavri::deltree {

namespace {

bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return GetConsoleMode(handle, &mode) != FALSE;
}

// Without a console of its own GetConsoleCP answers 0.
UINT StreamCodePage(UINT consoleCodePage) { return consoleCodePage ? consoleCodePage : GetOEMCP(); }

void WriteTo(DWORD stream, std::wstring_view text) {
  const HANDLE handle = GetStdHandle(stream);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE || text.empty()) return;
  DWORD written = 0;
  if (IsConsole(handle)) {
    WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    return;
  }
  const UINT codePage = StreamCodePage(GetConsoleOutputCP());
  const int length = static_cast<int>(text.size());
  const int size =
      WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return;
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), length, bytes.data(), size, nullptr, nullptr);
  WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

constexpr std::size_t kLongestAnswer = 256;

}  // namespace

void WriteOut(std::wstring_view text) { WriteTo(STD_OUTPUT_HANDLE, text); }

void WriteError(std::wstring_view text) { WriteTo(STD_ERROR_HANDLE, text); }

std::wstring ReadAnswerLine() {
  const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  if (input == nullptr || input == INVALID_HANDLE_VALUE) return {};
  if (IsConsole(input)) {
    std::wstring line;
    wchar_t buffer[64];
    DWORD read = 0;
    while (ReadConsoleW(input, buffer, 64, &read, nullptr) && read > 0) {
      const std::wstring_view part(buffer, read);
      const std::size_t end = part.find(L'\n');
      if (line.size() < kLongestAnswer) line += part.substr(0, end);
      if (end != std::wstring_view::npos) break;
    }
    return line;
  }
  // A byte at a time, so the next question finds the next line still unread.
  std::string bytes;
  char c = 0;
  DWORD read = 0;
  while (ReadFile(input, &c, 1, &read, nullptr) && read == 1 && c != '\n') {
    if (bytes.size() < kLongestAnswer) bytes += c;
  }
  // Typed ahead into a pipe, the answer has no echo: end the question's line.
  WriteOut(L"\r\n");
  if (bytes.empty()) return {};
  const UINT codePage = StreamCodePage(GetConsoleCP());
  const int length = static_cast<int>(bytes.size());
  const int size = MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
  if (size <= 0) return {};
  std::wstring line(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), length, line.data(), size);
  return line;
}

std::wstring ErrorText(DWORD error) {
  const DWORD flags =
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
  wchar_t* buffer = nullptr;
  DWORD length = FormatMessageW(flags, nullptr, error, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US),
                                reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  // Windows installed without English messages: its own language will do.
  if (length == 0) {
    length =
        FormatMessageW(flags, nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  }
  LocalMemory owner(buffer);
  std::wstring text = length ? std::wstring(buffer, length) : std::wstring();
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L'.' ||
                           text.back() == L' ')) {
    text.pop_back();
  }
  if (text.empty()) text = L"System error " + std::to_wstring(error);
  return text;
}

}  // namespace kavri::deltree
