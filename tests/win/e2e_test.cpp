// The real homeurl.exe, started as scripts start it, against module
// directories holding the journal module.

#include <gtest/gtest.h>

#include "test_support.h"
#include "tests/case_name.h"

using namespace std::string_literals;

namespace {

// Creates every directory along path, finding backslashes the way the ANSI
// code page does, so a double-byte name with 0x5C in it stays one name.
void MakeDirectories(const ByteString& path) {
  for (std::size_t at = 0; at < path.size(); ++at) {
    if (IsDBCSLeadByte(static_cast<BYTE>(path[at]))) {
      ++at;
    } else if (path[at] == '\\' && at > 2) {
      CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
    }
  }
  ASSERT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << path;
}

// Quotes an argument the way the runtime splits it back: backslashes right
// before the closing quote are doubled, or they would escape it.
ByteString Quoted(const ByteString& argument) {
  const std::size_t trailing = argument.size() - argument.find_last_not_of('\\') - 1;
  return ByteString("\"").append(argument).append(trailing, '\\').append("\"");
}

class HomeUrlTool : public testing::Test {
 protected:
  TempTree tree;
  const ByteString& root = tree.root;

  ToolRun RunIn(const ByteString& arguments) { return RunTool(arguments, root); }
};

// Usage and arguments.

struct UsageCase {
  const char* name;
  ByteString arguments;
  DWORD exitCode;
  ByteString err;
};

void PrintTo(const UsageCase& c, std::ostream* os) { *os << c.name; }

const UsageCase kUsageCases[] = {
    {"NoArgument", "", 1, "usage: \r\n"},
    {"OnlyBlanks", "   ", 1, "usage: \r\n"},
    {"MissingDirectory", "nowhere", 0, ""},
    {"EmptyQuotedArgument", "\"\"", 0, ""},
    {"SeveralArguments", "nowhere and more", 0, ""},
};

class UsageTest : public HomeUrlTool, public testing::WithParamInterface<UsageCase> {};

TEST_P(UsageTest, ExitStatusAndStandardError) {
  const UsageCase& c = GetParam();
  const ToolRun run = RunIn(c.arguments);
  EXPECT_EQ(run.exitCode, c.exitCode);
  EXPECT_EQ(run.err, c.err);
  EXPECT_EQ(run.out, "");
}

INSTANTIATE_TEST_SUITE_P(Cases, UsageTest, testing::ValuesIn(kUsageCases),
                         CaseName<UsageCase>);

// The climb buffer holds 259 bytes and a NUL; nothing longer may overrun it.
TEST_F(HomeUrlTool, LongArgumentsEndQuietly) {
  for (const std::size_t length : {259u, 260u, 4000u}) {
    for (const ByteString& start : {"C:\\"s, "rel\\"s}) {
      ByteString argument = start;
      while (argument.size() < length) argument += argument.size() % 8 == 0 ? '\\' : 'd';
      SCOPED_TRACE(argument.substr(0, 4) + " " + std::to_string(length));
      const ToolRun run = RunIn(Quoted(argument));
      EXPECT_EQ(run.exitCode, 0u);
      EXPECT_EQ(run.out, "");
      EXPECT_EQ(run.err, "");
    }
  }
}

// Module directory and working directory, seen by the module.

ByteString LoadedDirectory(const ByteString& moduleDirectory) {
  const auto loads = JournalEntries(moduleDirectory, "load");
  if (loads.size() != 1) return std::to_string(loads.size()) + " loads";
  const ByteString& line = loads[0];
  const std::size_t bytes = line.find(" bytes=");
  return line.substr(bytes + 7);
}

TEST_F(HomeUrlTool, RelativeArgumentIsUnderTheStartDirectory) {
  const ByteString moduleDirectory = root + "sub\\mod\\";
  MakeDirectories(moduleDirectory);
  CopyModule("journal_module.dll", moduleDirectory + "shiori.dll");
  const ByteString startDirectory = root.substr(0, root.size() - 1);

  for (const ByteString& arguments : {"sub\\mod"s, "sub\\mod extra \"more args\""s}) {
    SCOPED_TRACE(arguments);
    DeleteFileA((moduleDirectory + "journal.txt").c_str());
    const ToolRun run = RunTool(arguments, startDirectory);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(LoadedDirectory(moduleDirectory), Hex(startDirectory + "\\sub\\mod\\"));
    EXPECT_EQ(JournalEntries(moduleDirectory, "load")[0].substr(0, 5 + 4 + startDirectory.size()),
              "load cwd=" + startDirectory);
  }
}

struct ClimbCase {
  const char* name;
  UINT codePage;             // 0: any
  ByteString moduleBelowRoot;  // with its closing backslash, or without
  ByteString baseBelowRoot;    // "-" for the root without its backslash
  bool moves;
};

void PrintTo(const ClimbCase& c, std::ostream* os) { *os << c.name; }

const ClimbCase kClimbCases[] = {
    {"FiveCutsFromClosingBackslash", 0, "a\\b\\c\\d\\mod\\", "a", true},
    {"FewerThanFiveCutsStays", 0, "a\\mod\\", "", false},
    {"SlashIsNoCutPoint", 0, "a/b/c/d/mod/", "", false},
    {"BlanksInNames", 0, "a b\\c d\\e\\f\\mod\\", "a b", true},
    // Under 932, 0x95 0x5C is one character, so its 0x5C is no cut point;
    // under 1252 it is a name 0x95 followed by a backslash.
    {"DoubleByteNameUnder932", 932, "p\\\x95\\q\\r\\mod\\", "-", true},
    {"SameBytesUnder1252", 1252, "p\\\x95\\q\\r\\mod\\", "p", true},
};

class ClimbTest : public HomeUrlTool, public testing::WithParamInterface<ClimbCase> {};

TEST_P(ClimbTest, ModuleRunsInTheBaseDirectory) {
  const ClimbCase& c = GetParam();
  if (c.codePage != 0 && c.codePage != GetACP()) GTEST_SKIP() << "runs under code page " << c.codePage;
  ByteString moduleDirectory = root + c.moduleBelowRoot;
  for (char& byte : moduleDirectory) {
    if (byte == '/') byte = '\\';
  }
  MakeDirectories(moduleDirectory);
  CopyModule("journal_module.dll", moduleDirectory + "shiori.dll");
  const ByteString argument = root + c.moduleBelowRoot;
  const ByteString startDirectory = root.substr(0, root.size() - 1);
  const ByteString base = c.baseBelowRoot == "-" ? startDirectory : root + c.baseBelowRoot;
  const ByteString expected = c.moves ? base : startDirectory;

  const ToolRun run = RunTool(Quoted(argument), startDirectory);
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_EQ(LoadedDirectory(moduleDirectory), Hex(argument));
  for (const char* call : {"load", "request", "unload"}) {
    const auto entries = JournalEntries(moduleDirectory, call);
    ASSERT_EQ(entries.size(), 1u) << call;
    // The directory runs to the next field, " length=", or to the line's end.
    const ByteString line = entries[0].substr(0, entries[0].find(" length="));
    EXPECT_EQ(line, ByteString(call) + " cwd=" + expected);
  }
  // The library is released before the working directory comes back.
  EXPECT_EQ(JournalEntries(moduleDirectory, "detach"),
            std::vector<ByteString>{"detach freelibrary cwd=" + expected});
}

INSTANTIATE_TEST_SUITE_P(Cases, ClimbTest, testing::ValuesIn(kClimbCases),
                         CaseName<ClimbCase>);

}  // namespace
