#include <gtest/gtest.h>

#include <optional>

#include "driver/module_directory.h"
#include "tests/case_name.h"

namespace {

constexpr LeadBytes kShiftJis = ShiftJisLeadBytes();

struct DirectoryCase {
  const char* name;
  ByteString argument;
  ByteString startDirectory;
  const LeadBytes* lead;
  ByteString moduleDirectory;
  std::optional<ByteString> baseDirectory;
};

// Names the case in failure messages instead of dumping its bytes.
void PrintTo(const DirectoryCase& c, std::ostream* os) { *os << c.name; }

const DirectoryCase kDirectoryCases[] = {
    {"FiveCutsWithClosingBackslash", "C:\\a\\b\\c\\d\\e\\", "D:\\w", &kShiftJis,
     "C:\\a\\b\\c\\d\\e\\", "C:\\a"},
    {"FiveCutsWithoutClosingBackslash", "C:\\a\\b\\c\\d\\e", "D:\\w", &kShiftJis,
     "C:\\a\\b\\c\\d\\e", "C:"},
    {"MoreThanFiveBackslashes", "C:\\x\\a\\b\\c\\d\\e\\", "D:\\w", &kShiftJis,
     "C:\\x\\a\\b\\c\\d\\e\\", "C:\\x\\a"},
    {"FewerThanFiveCuts", "C:\\a\\b\\", "D:\\w", &kShiftJis, "C:\\a\\b\\", std::nullopt},
    {"DriveRootOnly", "C:\\", "D:\\w", &kShiftJis, "C:\\", std::nullopt},
    {"SlashIsNoCutPoint", "C:/a/b/c/d/e/", "D:\\w", &kShiftJis, "C:/a/b/c/d/e/", std::nullopt},
    {"LowerCaseDrive", "c:\\a\\b\\c\\d\\e\\", "D:\\w", &kShiftJis, "c:\\a\\b\\c\\d\\e\\", "c:\\a"},
    {"EmptyArgument", "", "D:\\w", &kShiftJis, "D:\\w\\\\", std::nullopt},
    {"RelativeUnderDriveRootMergesNothing", "sub", "D:\\", &kShiftJis, "D:\\\\sub\\", std::nullopt},
    {"RelativeWithBackslash", "sub\\mod", "D:\\work", &kShiftJis, "D:\\work\\sub\\mod\\",
     std::nullopt},
    {"UncLikeIsRelative", "\\\\server\\share\\mod\\", "D:\\work", &kShiftJis,
     "D:\\work\\\\\\server\\share\\mod\\\\", std::nullopt},
    {"DriveAloneIsRelative", "C:", "D:\\work", &kShiftJis, "D:\\work\\C:\\", std::nullopt},
    {"DigitIsNoDriveLetter", "1:\\a\\b\\c\\d\\e\\", "D:\\w", &kShiftJis,
     "D:\\w\\1:\\a\\b\\c\\d\\e\\\\", std::nullopt},
    {"HighByteIsNoDriveLetter", "\xC3:\\a\\b\\c\\d\\e\\", "D:\\w", &kShiftJis,
     "D:\\w\\\xC3:\\a\\b\\c\\d\\e\\\\", std::nullopt},
    {"BlanksAndQuotesKept", "C:\\a b\\\"c\\d\\e\\f\\", "D:\\w", &kShiftJis,
     "C:\\a b\\\"c\\d\\e\\f\\", "C:\\a b"},
    {"UnknownStartDirectoryStaysRelative", "sub", ByteString(kUnknownStartDirectory), &kShiftJis,
     ".\\sub\\", std::nullopt},
    // 0x95 0x5C is one character under code page 932 and two under 1252.
    {"SecondByteBackslashIsNoCutUnder932", "C:\\r\\s\\\x95\x5C\\t\\u\\", "D:\\w", &kShiftJis,
     "C:\\r\\s\\\x95\x5C\\t\\u\\", "C:\\r"},
    {"SecondByteBackslashCutsUnder1252", "C:\\r\\s\\\x95\x5C\\t\\u\\", "D:\\w",
     &kSingleByteLeadBytes, "C:\\r\\s\\\x95\x5C\\t\\u\\", "C:\\r\\s"},
    {"TrailingDoubleByteHidesBackslashUnder932", "C:\\a\\b\\c\\d\\\x81\x5C", "D:\\w", &kShiftJis,
     "C:\\a\\b\\c\\d\\\x81\x5C", "C:"},
    {"TrailingDoubleByteCutsUnder1252", "C:\\a\\b\\c\\d\\\x81\x5C", "D:\\w",
     &kSingleByteLeadBytes, "C:\\a\\b\\c\\d\\\x81\x5C", "C:\\a"},
    {"LeadByteBeforeEndEndsScan", "C:\\a\\b\\c\\d\\e\\\x81", "D:\\w", &kShiftJis,
     "C:\\a\\b\\c\\d\\e\\\x81", "C:\\a"},
};

class PlanModuleDirectoryTest : public testing::TestWithParam<DirectoryCase> {};

TEST_P(PlanModuleDirectoryTest, DirectoryAndBase) {
  const DirectoryCase& c = GetParam();
  const ModuleDirectoryPlan plan = PlanModuleDirectory(c.argument, c.startDirectory, *c.lead);
  EXPECT_EQ(plan.moduleDirectory, c.moduleDirectory);
  EXPECT_EQ(plan.baseDirectory, c.baseDirectory);
}

INSTANTIATE_TEST_SUITE_P(Cases, PlanModuleDirectoryTest, testing::ValuesIn(kDirectoryCases),
                         CaseName<DirectoryCase>);

// The climb copies into a 260-byte buffer, NUL included.
TEST(FindBaseDirectory, ClimbsOnlyWhatFitsAPathBuffer) {
  const ByteString prefix = "C:\\a\\b\\c\\d\\";
  ByteString fits = prefix + ByteString(kPathBufferSize - 1 - prefix.size(), 'x');
  ASSERT_EQ(fits.size(), 259u);
  EXPECT_EQ(FindBaseDirectory(fits, kShiftJis), std::optional<ByteString>("C:"));

  const ByteString tooLong = fits + "y";
  EXPECT_EQ(FindBaseDirectory(tooLong, kShiftJis), std::nullopt);
  EXPECT_EQ(PlanModuleDirectory(tooLong, "D:\\w", kShiftJis).moduleDirectory, tooLong);
  EXPECT_EQ(FindBaseDirectory(ByteString(4000, '\\'), kShiftJis), std::nullopt);
}

}  // namespace
