#pragma once

#include <array>
#include <string>
#include <string_view>

namespace kavri {

// What the rules need to know of the system's 8-bit code page: which bytes
// open a double-byte character (Shift-JIS has trail bytes of 0x5C, the
// backslash) and how a single byte lower-cases. Tests build Shift-JIS and a
// single-byte page side by side; on Windows the table comes from the system.
class CodePage {
 public:
  using LeadBytes = std::array<bool, 256>;
  using LowerTable = std::array<unsigned char, 256>;

  CodePage(const LeadBytes& leadBytes, const LowerTable& lower);

  static CodePage SingleByte();  // such as 1252 or 437: no lead bytes
  static CodePage ShiftJis();    // 932

  bool IsLeadByte(unsigned char b) const { return lead_[b]; }
  bool HasLeadBytes() const { return hasLeadBytes_; }
  // Lower-cases single-byte characters and leaves double-byte ones alone.
  std::string LowerCase(std::string_view text) const;

  // Byte length of the character that starts at `pos`: 2 for a lead byte
  // followed by another byte, otherwise 1.
  std::size_t CharLength(std::string_view text, std::size_t pos) const {
    return (IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size()) ? 2 : 1;
  }

 private:
  LeadBytes lead_;
  LowerTable lower_;
  bool hasLeadBytes_;
};

// The ASCII lower-case mapping, the part every code page shares.
CodePage::LowerTable AsciiLowerTable();

}  // namespace kavri
