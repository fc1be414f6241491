#include <gtest/gtest.h>

#include "shiori/home_url.h"
#include "tests/case_name.h"

using namespace std::string_literals;

namespace {

TEST(HomeUrlRequest, IsTheExactSeventyFourBytes) {
  EXPECT_EQ(kHomeUrlRequest.size(), 74u);
  // cppcheck-suppress knownConditionTrueFalse ; pins the bytes the contract fixes against edits
  EXPECT_EQ(kHomeUrlRequest,
            "GET String SHIORI/2.5\r\nID: homeurl\r\nChrset: Shift_JIS\r\nSender: korvane\r\n\r\n");
}

struct AnswerCase {
  const char* name;
  ByteString answer;
  ByteString printed;
};

// Names the case in failure messages instead of dumping its bytes.
void PrintTo(const AnswerCase& c, std::ostream* os) { *os << c.name; }

const AnswerCase kAnswerCases[] = {
    {"StringValue", "SHIORI/2.5 200 OK\r\nString: http://a/\r\n\r\n", "http://a/"},
    {"StringOverWord", "SHIORI/2.5 200 OK\r\nWord: w\r\nString: s\r\n\r\n", "s"},
    {"WordAlone", "SHIORI/2.5 200 OK\r\nWord: w\r\n\r\n", "w"},
    {"LaterStringWins", "SHIORI/2.5 200 OK\r\nString: a\r\nString: b\r\n\r\n", "b"},
    {"ValueCutAtSecondSeparator", "SHIORI/2.5 200 OK\r\nString: a: b\r\n\r\n", "a"},
    {"EmptyStringDoesNotFallBack", "SHIORI/2.5 200 OK\r\nString: : x\r\nWord: w\r\n\r\n", ""},
    {"BareStringFallsBackToWord", "SHIORI/2.5 200 OK\r\nString: \r\nWord: w\r\n\r\n", "w"},
    {"LfOnlyNotFoundUnlessFirst", "SHIORI/2.5 200 OK\nString: http://a/\n\n", ""},
    {"LfOnlyValueRunsOn", "String: http://a/\nWord: w\n", "http://a/\nWord"},
    {"CutAtFirstNul", "String: http://a/\0tail\r\n"s, "http://a/"},
    {"LfInValueKept", "String: a\nb", "a\nb"},
    {"NoValue", "SHIORI/2.5 204 No Content\r\n\r\n", ""},
    {"EmptyAnswer", "", ""},
    {"CaseSensitiveName", "string: s\r\n", ""},
    {"ShiftJisValue", "String: \x95\x5C\x81\x40\r\n", "\x95\x5C\x81\x40"},
};

class HomeUrlFromAnswerTest : public testing::TestWithParam<AnswerCase> {};

TEST_P(HomeUrlFromAnswerTest, Printed) {
  const AnswerCase& c = GetParam();
  EXPECT_EQ(HomeUrlFromAnswer(c.answer), c.printed);
}

INSTANTIATE_TEST_SUITE_P(Cases, HomeUrlFromAnswerTest, testing::ValuesIn(kAnswerCases), CaseName<AnswerCase>);

}  // namespace
