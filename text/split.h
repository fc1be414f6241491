#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "common/byte_string.h"
#include "text/lead_bytes.h"

using PieceList = std::vector<ByteString>;

// Cuts text at each occurrence of delimiter, left to right without overlap:
//   SplitText("a\r\n\r\nb\r\n", "\r\n") -> {"a", "", "b"}
// An empty text gives one empty piece; a delimiter that ends the text adds no
// empty piece after it. An occurrence right after a lone lead byte (one not
// itself preceded by a lead byte) is taken for the second half of a double-byte
// character and is no cut:
//   SplitText("\x41\x81,\x42", ",") -> {"\x41\x81,\x42"}
// An empty delimiter cuts nothing.
//
// This form selects the "japanese" locale and tests lead bytes with it.
PieceList SplitText(ByteView text, ByteView delimiter);
PieceList SplitText(ByteView text, ByteView delimiter, const LeadBytes& lead);

// Lines of key and value fields: the text is split into lines at CR LF and each
// line into fields at separator; a line with two or more fields stores its
// second field under its first, later lines replacing earlier ones, and any
// further fields are ignored. Keys compare byte for byte.
//
// Lookups scan the lines from the last one, so the table holds one entry per
// stored line in a single copy of the text: the tool looks up one or two keys
// per table, which an index would cost more to build than it saves. Texts of
// 4 GiB or more (which the tool never reads) give an empty table.
struct KeyValueTable {
  struct Entry {
    std::uint32_t keyOffset;
    std::uint32_t keyLength;
    std::uint32_t valueOffset;
    std::uint32_t valueLength;
  };
  ByteString text;
  std::vector<Entry> entries;  // in line order
};

KeyValueTable BuildTable(ByteView text, ByteView separator);
KeyValueTable BuildTable(ByteView text, ByteView separator, const LeadBytes& lead);

// The value stored under key, viewing into the table.
std::optional<ByteView> FindValue(const KeyValueTable& table, ByteView key);
