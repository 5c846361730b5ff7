#include "platform/win32/text.h"

#include "platform/decimal_text.h"

namespace kavri {

CodePage SystemCodePage() {
  CodePage::LeadBytes lead{};
  CodePage::LowerTable lower = AsciiLowerTable();
  for (int b = 0x80; b < 256; ++b) {
    lead[b] = IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(b)) != FALSE;
    if (!lead[b]) {
      char c = static_cast<char>(b);
      CharLowerBuffA(&c, 1);
      lower[b] = static_cast<unsigned char>(c);
    }
  }
  return CodePage(lead, lower);
}

std::wstring ToWide(std::string_view text, UINT codePage) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int size = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), length, wide.data(), size);
  return wide;
}

std::optional<std::string> ToCodePageExact(std::wstring_view text, UINT codePage) {
  if (text.empty()) return std::string();
  const int length = static_cast<int>(text.size());
  // UTF-8 takes neither flag nor default-character test; it holds every
  // character but a lone surrogate, which it is told to refuse.
  const bool utf8 = codePage == CP_UTF8 || (codePage == CP_ACP && GetACP() == CP_UTF8);
  const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* usedDefaultOut = utf8 ? nullptr : &usedDefault;
  const int size =
      WideCharToMultiByte(codePage, flags, text.data(), length, nullptr, 0, nullptr, usedDefaultOut);
  if (size <= 0 || usedDefault) return std::nullopt;
  std::string result(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(codePage, flags, text.data(), length, result.data(), size, nullptr,
                      usedDefaultOut);
  if (usedDefault) return std::nullopt;
  // Without best fit a character that is missing still comes back as the
  // default character; a round trip shows the rest of the substitutions.
  if (!utf8 && ToWide(result, codePage) != text) return std::nullopt;
  return result;
}

std::string ToCodePageLossy(std::wstring_view text, UINT codePage) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int size =
      WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), length, result.data(), size, nullptr, nullptr);
  return result;
}

std::string SystemErrorText(DWORD error) {
  char* buffer = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US),
      reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text = length ? std::string(buffer, length) : std::string();
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == '.')) {
    text.pop_back();
  }
  if (text.empty()) text = "System error " + DecimalText(error);
  return text;
}

}  // namespace kavri
