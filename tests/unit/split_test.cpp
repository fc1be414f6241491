#include <gtest/gtest.h>

#include <optional>

#include "tests/case_name.h"
#include "text/split.h"

using namespace std::string_literals;

namespace {

struct SplitCase {
  const char* name;
  ByteString text;
  ByteString delimiter;
  PieceList pieces;
};

// Names the case in failure messages instead of dumping its bytes.
void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.name; }

// Pieces under Shift_JIS lead bytes. The same table runs natively and on
// Windows, where the lead bytes come from the runtime's "japanese" locale.
const SplitCase kSplitCases[] = {
    {"EmptyTextIsOneEmptyPiece", "", "\r\n", {""}},
    {"NoDelimiter", "a", "\r\n", {"a"}},
    {"DelimiterAtEndAddsNoPiece", "a\r\n", "\r\n", {"a"}},
    {"DelimiterAloneIsOneEmptyPiece", "\r\n", "\r\n", {""}},
    {"TwoDelimitersAreTwoEmptyPieces", "\r\n\r\n", "\r\n", {"", ""}},
    {"TwoLines", "a\r\nb", "\r\n", {"a", "b"}},
    {"EmptyLineInside", "a\r\n\r\nb\r\n", "\r\n", {"a", "", "b"}},
    {"LineEndAfterLoneLeadByteIsGuarded", "\x61\x81\r\n\x62", "\r\n", {"\x61\x81\r\n\x62"}},
    {"CommaAtEnd", "x,", ",", {"x"}},
    {"CommaAtStart", ",x", ",", {"", "x"}},
    {"ThreeFields", "a,b,c", ",", {"a", "b", "c"}},
    {"LeadBytePairBeforeCommaSplits", "\x93\xFA,\x41", ",", {"\x93\xFA", "\x41"}},
    {"CommaAfterLoneLeadByteIsGuarded", "\x41\x81,\x42", ",", {"\x41\x81,\x42"}},
    {"GuardedAtPositionOne", "\x81,", ",", {"\x81,"}},
    {"GuardedAtVeryEnd", "\x41\x81,", ",", {"\x41\x81,"}},
    {"SearchStepsOverGuardedOccurrence", "\x81,,x", ",", {"\x81,", "x"}},
    {"GuardedTwoByteSeparator", "\x81: x: y", ": ", {"\x81: x", "y"}},
    {"OccurrencesDoNotOverlap", "aaa", "aa", {"", "a"}},
    {"LoneLeadByteLast", "a,\x81", ",", {"a", "\x81"}},
    {"NulBytesAreOrdinary", "a\0b,\0"s, ",", {"a\0b"s, "\0"s}},
    {"EmptyDelimiterCutsNothing", "a,b", "", {"a,b"}},
};

class SplitTextTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitTextTest, PiecesUnderShiftJisTable) {
  const SplitCase& c = GetParam();
  EXPECT_EQ(SplitText(c.text, c.delimiter, ShiftJisLeadBytes()), c.pieces);
}

TEST_P(SplitTextTest, PiecesUnderJapaneseLocale) {
  const SplitCase& c = GetParam();
  EXPECT_EQ(SplitText(c.text, c.delimiter), c.pieces);
}

INSTANTIATE_TEST_SUITE_P(Cases, SplitTextTest, testing::ValuesIn(kSplitCases), CaseName<SplitCase>);

TEST(SplitText, SingleByteTableNeverGuards) {
  EXPECT_EQ(SplitText("\x41\x81,\x42", ",", kSingleByteLeadBytes), (PieceList{"\x41\x81", "\x42"}));
  EXPECT_EQ(SplitText("\x61\x81\r\n\x62", "\r\n", kSingleByteLeadBytes),
            (PieceList{"\x61\x81", "\x62"}));
}

struct TableCase {
  const char* name;
  ByteString text;
  ByteString separator;
  ByteString key;
  std::optional<ByteString> value;
};

// Names the case in failure messages instead of dumping its bytes.
void PrintTo(const TableCase& c, std::ostream* os) { *os << c.name; }

const TableCase kTableCases[] = {
    {"LaterLineWins", "shiori,a.dll\r\nshiori,b.dll", ",", "shiori", "b.dll"},
    {"BlankBelongsToValue", "shiori, a.dll", ",", "shiori", " a.dll"},
    {"FieldsAfterSecondIgnored", "shiori,a.dll,extra", ",", "shiori", "a.dll"},
    {"EmptyKey", ",x", ",", "", "x"},
    {"EmptySecondField", "a,,b", ",", "a", ""},
    {"SeparatorAtEndIsOneField", "a,", ",", "a", std::nullopt},
    {"LineWithoutSeparatorIgnored", "shiori\r\nx,y", ",", "shiori", std::nullopt},
    {"KeyIsCaseSensitive", "Shiori,engine.dll", ",", "shiori", std::nullopt},
    {"KeyIsNotTrimmed", " shiori,engine.dll", ",", "shiori", std::nullopt},
    {"LfOnlyRunsAcrossLines", "shiori,a.dll\nname,x", ",", "shiori", "a.dll\nname"},
    {"LfOnlyHidesLaterKey", "name,x\nshiori,a.dll", ",", "shiori", std::nullopt},
    {"ValueCutAtSecondSeparator", "String: a: b", ": ", "String", "a"},
    {"SeparatorAloneAtEndIsIgnored", "String: \r\nWord: w", ": ", "String", std::nullopt},
    {"EmptyValueFromDoubleSeparator", "String: : x", ": ", "String", ""},
    {"StatusLineCarriesNothing", "SHIORI/3.0 200 OK\r\n", ": ", "SHIORI/3.0 200 OK", std::nullopt},
    {"LoneLeadByteJoinsLines", "a,\x81\r\nshiori,x.dll", ",", "a", "\x81\r\nshiori"},
    {"NulInKeyCompared", "k\0,v\r\nk,w"s, ",", "k\0"s, "v"},
};

class BuildTableTest : public testing::TestWithParam<TableCase> {};

TEST_P(BuildTableTest, ValueUnderKey) {
  const TableCase& c = GetParam();
  const KeyValueTable table = BuildTable(c.text, c.separator);
  const std::optional<ByteView> found = FindValue(table, c.key);
  ASSERT_EQ(found.has_value(), c.value.has_value());
  if (found) {
    EXPECT_EQ(*found, *c.value);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, BuildTableTest, testing::ValuesIn(kTableCases), CaseName<TableCase>);

TEST(BuildTable, OutlivesTheTextItWasBuiltFrom) {
  KeyValueTable table;
  {
    ByteString text = "shiori,engine.dll\r\n";
    table = BuildTable(text, ",");
    text.assign(text.size(), 'x');
  }
  EXPECT_EQ(FindValue(table, "shiori"), std::optional<ByteView>("engine.dll"));
}

}  // namespace
