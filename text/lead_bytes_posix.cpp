#include "text/lead_bytes.h"

LeadBytes SelectJapaneseLocale() { return ShiftJisLeadBytes(); }
