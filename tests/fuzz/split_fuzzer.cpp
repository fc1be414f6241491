// SplitText, BuildTable and FindValue against the reference model, under both
// lead-byte tables. Input: a byte choosing the delimiter and the table, then
// the text.
#include <cstdint>
#include <optional>

#include "fuzz_support.h"
#include "reference.h"
#include "text/split.h"

namespace {

std::string DescribePieces(const std::vector<std::string>& pieces) {
  std::string out = "{";
  for (const std::string& piece : pieces) out += Escaped(piece) + " ";
  return out + "}";
}

void CheckUnderTable(const std::string& text, const std::string& delimiter, const LeadBytes& lead,
                     reference::IsLeadByte isLead, const char* tableName) {
  // Spelled out only on a mismatch: escaping every input would cost more than the checks.
  const auto input = [&] {
    return std::string(tableName) + " text " + Escaped(text) + " delimiter " + Escaped(delimiter);
  };

  const std::vector<std::string> expected = reference::Split(text, delimiter, isLead);
  const PieceList actual = SplitText(text, delimiter, lead);
  if (actual != expected) {
    ReportMismatch("SplitText", input(), DescribePieces(actual), DescribePieces(expected));
  }

  const KeyValueTable table = BuildTable(text, delimiter, lead);
  const std::map<std::string, std::string> model = reference::Table(text, delimiter, isLead);
  const auto lookUp = [&](const std::string& key) {
    const std::optional<ByteView> found = FindValue(table, key);
    const auto entry = model.find(key);
    if (entry == model.end() ? !found : found && *found == entry->second) return;
    ReportMismatch("FindValue", input() + " key " + Escaped(key),
                   found ? Escaped(*found) : "nothing",
                   entry != model.end() ? Escaped(entry->second) : "nothing");
  };
  // Every line's first two fields and the line itself, stored as a key or
  // not, so a value or a whole line taken for a key shows too.
  lookUp("");
  for (const std::string& line : reference::Split(text, "\r\n", isLead)) {
    lookUp(line);
    const std::vector<std::string> fields = reference::Split(line, delimiter, isLead);
    for (std::size_t field = 0; field < fields.size() && field < 2; ++field) lookUp(fields[field]);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const unsigned char choice = input.Byte();
  std::string delimiter;
  switch (choice % 5) {
    case 0: delimiter = "\r\n"; break;
    case 1: delimiter = ","; break;
    case 2: delimiter = ": "; break;
    case 3: delimiter = input.Take(input.Byte() % 8); break;
    default: break;  // empty
  }
  const std::string text = input.Rest();
  if (choice / 5 % 2 == 0) {
    CheckUnderTable(text, delimiter, ShiftJisLeadBytes(), reference::ShiftJisLead, "shift_jis");
  } else {
    CheckUnderTable(text, delimiter, kSingleByteLeadBytes, reference::NoLead, "single_byte");
  }
  return 0;
}
