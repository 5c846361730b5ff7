#include "platform/code_page.h"

#include <algorithm>

namespace kavri {

CodePage::CodePage(const LeadBytes& leadBytes, const LowerTable& lower)
    : lead_(leadBytes),
      lower_(lower),
      hasLeadBytes_(std::find(leadBytes.begin(), leadBytes.end(), true) != leadBytes.end()) {}

CodePage::LowerTable AsciiLowerTable() {
  CodePage::LowerTable table{};
  for (int b = 0; b < 256; ++b) {
    table[b] = static_cast<unsigned char>((b >= 'A' && b <= 'Z') ? b + ('a' - 'A') : b);
  }
  return table;
}

CodePage CodePage::SingleByte() { return CodePage(LeadBytes{}, AsciiLowerTable()); }

CodePage CodePage::ShiftJis() {
  LeadBytes lead{};
  for (int b = 0x81; b <= 0x9F; ++b) lead[b] = true;
  for (int b = 0xE0; b <= 0xFC; ++b) lead[b] = true;
  return CodePage(lead, AsciiLowerTable());
}

std::string CodePage::LowerCase(std::string_view text) const {
  std::string result(text);
  for (std::size_t i = 0; i < result.size();) {
    const std::size_t length = CharLength(result, i);
    if (length == 1) result[i] = static_cast<char>(lower_[static_cast<unsigned char>(result[i])]);
    i += length;
  }
  return result;
}

}  // namespace kavri
