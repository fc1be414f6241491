#pragma once

#include <array>

// Which byte values open a double-byte character in some code page.
struct LeadBytes {
  std::array<bool, 256> isLead{};

  bool operator()(unsigned char byte) const { return isLead[byte]; }
  bool operator()(char byte) const { return isLead[static_cast<unsigned char>(byte)]; }
};

// No byte opens a double-byte character (code page 1252, the "C" locale).
inline constexpr LeadBytes kSingleByteLeadBytes{};

// Shift_JIS (code page 932): 0x81-0x9F and 0xE0-0xFC.
constexpr LeadBytes ShiftJisLeadBytes() {
  LeadBytes lead;
  for (int byte = 0x81; byte <= 0x9F; ++byte) lead.isLead[byte] = true;
  for (int byte = 0xE0; byte <= 0xFC; ++byte) lead.isLead[byte] = true;
  return lead;
}

// Selects the C runtime's "japanese" locale for all categories and returns the
// lead bytes of whatever locale is then in force. Where the runtime has no such
// locale (anything but Windows), the Shift_JIS set stands in for it.
LeadBytes SelectJapaneseLocale();
