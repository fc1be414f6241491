#include "text/split.h"

#include <cstring>
#include <limits>

namespace {

// Walks the pieces of a text one at a time, so that callers that need only the
// first few pieces of a line never copy the rest.
struct PieceCursor {
  ByteView text;
  ByteView delimiter;
  const LeadBytes& lead;
  std::size_t pieceStart = 0;
  std::size_t searchFrom = 0;
  bool done = false;
};

// An occurrence right after a lone lead byte is the second half of a
// double-byte character. Only two bytes are looked at, not a scan from the
// start of the text.
bool IsGuarded(ByteView text, std::size_t position, const LeadBytes& lead) {
  return position >= 1 && lead(text[position - 1]) &&
         (position == 1 || !lead(text[position - 2]));
}

bool NextPiece(PieceCursor& cursor, ByteView& piece) {
  if (cursor.done) return false;
  const ByteView text = cursor.text;
  if (cursor.delimiter.empty()) {
    piece = text;
    cursor.done = true;
    return true;
  }
  for (;;) {
    const std::size_t position = text.find(cursor.delimiter, cursor.searchFrom);
    if (position == ByteView::npos) break;
    cursor.searchFrom = position + cursor.delimiter.size();
    if (!IsGuarded(text, position, cursor.lead)) {
      piece = text.substr(cursor.pieceStart, position - cursor.pieceStart);
      cursor.pieceStart = cursor.searchFrom;
      // A delimiter that ends the text leaves no empty piece behind it.
      cursor.done = cursor.searchFrom >= text.size();
      return true;
    }
    if (cursor.searchFrom >= text.size()) break;
  }
  piece = text.substr(cursor.pieceStart);
  cursor.done = true;
  return true;
}

// At most one entry per CR LF plus the last line, and no more than the text
// could hold if every line were the shortest one that stores something.
std::size_t MostEntries(ByteView text, ByteView separator) {
  std::size_t lineEnds = 0;
  const char* at = text.data();
  const char* const end = at + text.size();
  while (at != end) {
    const void* found = std::memchr(at, '\n', static_cast<std::size_t>(end - at));
    if (found == nullptr) break;
    const char* newline = static_cast<const char*>(found);
    if (newline != text.data() && newline[-1] == '\r') ++lineEnds;
    at = newline + 1;
  }
  const std::size_t shortestStoredLine = separator.size() + 1 + 2;
  return std::min(lineEnds + 1, (text.size() + 2) / shortestStoredLine + 1);
}

}  // namespace

PieceList SplitText(ByteView text, ByteView delimiter) {
  return SplitText(text, delimiter, SelectJapaneseLocale());
}

PieceList SplitText(ByteView text, ByteView delimiter, const LeadBytes& lead) {
  PieceList pieces;
  PieceCursor cursor{text, delimiter, lead};
  for (ByteView piece; NextPiece(cursor, piece);) pieces.emplace_back(piece);
  return pieces;
}

KeyValueTable BuildTable(ByteView text, ByteView separator) {
  return BuildTable(text, separator, SelectJapaneseLocale());
}

KeyValueTable BuildTable(ByteView text, ByteView separator, const LeadBytes& lead) {
  KeyValueTable table;
  if (text.size() >= std::numeric_limits<std::uint32_t>::max()) return table;
  table.text = ByteString(text);
  table.entries.reserve(MostEntries(table.text, separator));

  const ByteView all = table.text;
  const auto offsetOf = [&](ByteView part) {
    return static_cast<std::uint32_t>(part.data() - all.data());
  };
  PieceCursor lines{all, "\r\n", lead};
  for (ByteView line; NextPiece(lines, line);) {
    PieceCursor fields{line, separator, lead};
    ByteView key;
    ByteView value;
    if (NextPiece(fields, key) && NextPiece(fields, value)) {
      table.entries.push_back({offsetOf(key), static_cast<std::uint32_t>(key.size()),
                               offsetOf(value), static_cast<std::uint32_t>(value.size())});
    }
  }
  return table;
}

std::optional<ByteView> FindValue(const KeyValueTable& table, ByteView key) {
  const ByteView text = table.text;
  for (auto entry = table.entries.rbegin(); entry != table.entries.rend(); ++entry) {
    if (text.substr(entry->keyOffset, entry->keyLength) == key) {
      return text.substr(entry->valueOffset, entry->valueLength);
    }
  }
  return std::nullopt;
}
