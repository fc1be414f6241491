#include <clocale>
#include <cwchar>

#include "text/lead_bytes.h"

// A module sharing msvcrt may change the locale between two calls, so the
// selection is made every time rather than once.
LeadBytes SelectJapaneseLocale() {
  std::setlocale(LC_ALL, "japanese");
  LeadBytes lead;
  for (int byte = 0; byte < 256; ++byte) lead.isLead[byte] = isleadbyte(byte) != 0;
  return lead;
}
