// The real homeurl.exe against module directories: which module file it
// picks, how it drives the module, and what it prints of the answer.

#include <gtest/gtest.h>

#include "shiori/home_url.h"
#include "test_support.h"
#include "tests/case_name.h"

using namespace std::string_literals;

namespace {

const ByteString kUrl = "http://example.org/home/";
const ByteString kAnswer = "SHIORI/2.5 200 OK\r\nString: " + kUrl + "\r\n\r\n";
const ByteString kFullRun = "attach load request unload free";

ByteString Answer(const ByteString& headers) { return "SHIORI/2.5 200 OK\r\n" + headers + "\r\n"; }

struct File {
  ByteString name;     // a closing backslash makes a directory
  ByteString content;  // "@name.dll": a copy of that test module
};

struct ModuleCase {
  const char* name;
  std::vector<File> files;  // answer.bin defaults to kAnswer
  ByteString out;
  ByteString calls;       // the journal's calls in order; "free" is FreeLibrary's detach
  ByteString loadedFile;  // the module file that was loaded, if any
};

void PrintTo(const ModuleCase& c, std::ostream* os) { *os << c.name; }

const File kModule{"shiori.dll", "@journal_module.dll"};

const ModuleCase kModuleCases[] = {
    // Loading and initialising.
    {"NoModuleFile", {}, "", "", ""},
    {"NoLoadExport", {{"shiori.dll", "@journal_no_load.dll"}}, "", "attach free", "shiori.dll"},
    {"NoUnloadExport", {{"shiori.dll", "@journal_no_unload.dll"}}, "", "attach free", "shiori.dll"},
    {"NoRequestExport", {{"shiori.dll", "@journal_no_request.dll"}}, "", "attach free", "shiori.dll"},
    {"LoadReturnsZero", {kModule, {"load-result.txt", "0"}}, "", "attach load free", "shiori.dll"},
    {"LoadReturnsTwo", {kModule, {"load-result.txt", "2"}}, "", "attach load free", "shiori.dll"},
    {"LoadReturnsOne", {kModule}, kUrl, kFullRun, "shiori.dll"},
    {"AnswerOfLengthZero", {kModule, {"answer.bin", ""}}, "", kFullRun, "shiori.dll"},
    {"ModuleIsAText", {{"shiori.dll", "MZ but not really"}}, "", "", ""},
    {"ModuleIsADirectory", {{"shiori.dll\\", ""}}, "", "", ""},

    // Reading the answer; the output stream writes LF as CR LF.
    {"StringOverWord", {kModule, {"answer.bin", Answer("Word: w\r\nString: s\r\n")}}, "s", kFullRun, "shiori.dll"},
    {"WordAlone", {kModule, {"answer.bin", Answer("Word: w\r\n")}}, "w", kFullRun, "shiori.dll"},
    {"LaterStringWins", {kModule, {"answer.bin", Answer("String: a\r\nString: b\r\n")}}, "b", kFullRun, "shiori.dll"},
    {"ValueCutAtSecondSeparator", {kModule, {"answer.bin", Answer("String: a: b\r\n")}}, "a", kFullRun, "shiori.dll"},
    {"EmptyStringDoesNotFallBack", {kModule, {"answer.bin", Answer("String: : x\r\nWord: w\r\n")}}, "", kFullRun, "shiori.dll"},
    {"BareStringFallsBackToWord", {kModule, {"answer.bin", Answer("String: \r\nWord: w\r\n")}}, "w", kFullRun, "shiori.dll"},
    {"LfOnlyAnswerHidesString", {kModule, {"answer.bin", "SHIORI/2.5 200 OK\nString: u\n\n"}}, "", kFullRun, "shiori.dll"},
    {"LfOnlyValueRunsOn", {kModule, {"answer.bin", "String: u\nWord: w\n"}}, "u\r\nWord", kFullRun, "shiori.dll"},
    {"NulEndsValue", {kModule, {"answer.bin", Answer("String: ab\0cd\r\n"s)}}, "ab", kFullRun, "shiori.dll"},
    {"LfInValueBecomesCrLf", {kModule, {"answer.bin", "String: a\nb\r\n"}}, "a\r\nb", kFullRun, "shiori.dll"},
    {"ShiftJisBytesUnchanged", {kModule, {"answer.bin", Answer("String: \x95\x5C\x83\x7C\r\n")}}, "\x95\x5C\x83\x7C", kFullRun, "shiori.dll"},

    // Answers no module should give: nothing is read beyond the block.
    {"NullBlockWithLength", {kModule, {"answer-block.txt", "null"}, {"answer-length.txt", "40"}}, "", kFullRun, "shiori.dll"},
    {"NullBlockWithoutLength", {kModule, {"answer-block.txt", "null"}, {"answer-length.txt", "0"}}, "", kFullRun, "shiori.dll"},
    {"NegativeLength", {kModule, {"answer-length.txt", "-5"}}, "", kFullRun, "shiori.dll"},
    {"LengthBeyondBlock", {kModule, {"answer-length.txt", "1000000"}}, kUrl, kFullRun, "shiori.dll"},
    {"LargestLength", {kModule, {"answer-length.txt", "2147483647"}}, kUrl, kFullRun, "shiori.dll"},
    {"LengthShortOfValue", {kModule, {"answer-length.txt", "34"}}, "http://", kFullRun, "shiori.dll"},
    {"MebibyteAnswer", {kModule, {"answer.bin", Answer("String: " + ByteString(1 << 20, 'u') + "\r\n")}},
     ByteString(1 << 20, 'u'), kFullRun, "shiori.dll"},
    // A module that selects another C runtime locale: splitting selects
    // "japanese" again, so the CR LF after a lone lead byte still joins lines.
    {"ModuleChangesLocale", {kModule, {"load-locale.txt", "C"}, {"answer.bin", "String: \x81\r\nWord: w\r\n"}},
     "\x81\r\r\nWord", kFullRun, "shiori.dll"},

    // Choosing the module file.
    {"DescriptNamesModule", {{"descript.txt", "name,x\r\nshiori,engine.dll\r\n"}, {"engine.dll", "@journal_module.dll"}},
     kUrl, kFullRun, "engine.dll"},
    {"AliasWins", {{"alias.txt", "shiori,alias.dll\r\n"}, {"descript.txt", "shiori,engine.dll\r\n"},
                   {"alias.dll", "@journal_module.dll"}, {"engine.dll", "@journal_module.dll"}},
     kUrl, kFullRun, "alias.dll"},
    {"AliasWithoutKeyKeepsDefault", {{"alias.txt", "name,x\r\n"}, {"descript.txt", "shiori,engine.dll\r\n"},
                                     kModule, {"engine.dll", "@journal_module.dll"}},
     kUrl, kFullRun, "shiori.dll"},
    {"EmptyAliasDefersToDescript", {{"alias.txt", ""}, {"descript.txt", "shiori,engine.dll\r\n"},
                                    kModule, {"engine.dll", "@journal_module.dll"}},
     kUrl, kFullRun, "engine.dll"},
    {"KeyIsCaseSensitive", {{"descript.txt", "Shiori,engine.dll\r\n"}, kModule, {"engine.dll", "@journal_module.dll"}},
     kUrl, kFullRun, "shiori.dll"},
    {"LeadingBlankKept", {{"descript.txt", "shiori, engine.dll\r\n"}, kModule, {" engine.dll", "@journal_module.dll"}},
     kUrl, kFullRun, " engine.dll"},
    {"EmptyValueLoadsNothing", {{"descript.txt", "shiori,,x\r\n"}, kModule}, "", "", ""},
    {"CommaAtEndIgnored", {{"descript.txt", "shiori,\r\n"}, kModule}, kUrl, kFullRun, "shiori.dll"},
    {"LaterLineWins", {{"descript.txt", "shiori,a.dll\r\nshiori,engine.dll\r\n"}, {"engine.dll", "@journal_module.dll"}},
     kUrl, kFullRun, "engine.dll"},
    {"LfOnlyValueNamesNoFile", {{"descript.txt", "shiori,engine.dll\nname,x\n"}, kModule,
                                {"engine.dll", "@journal_module.dll"}},
     "", "", ""},
    {"NulEndsModulePath", {{"descript.txt", "shiori,engine.dll\0junk\r\n"s}, {"engine.dll", "@journal_module.dll"}},
     kUrl, kFullRun, "engine.dll"},
    {"DescriptorIsADirectory", {{"descript.txt\\", ""}, {"alias.txt\\", ""}, kModule}, kUrl, kFullRun, "shiori.dll"},
    {"DescriptorFullOfLeadBytes", {{"descript.txt", ByteString(3 << 20, '\x81') + "\r\nshiori,engine.dll"},
                                   {"engine.dll", "@journal_module.dll"}},
     kUrl, kFullRun, "engine.dll"},
};

// The journal's calls, one word each, and the file of the module that wrote it.
std::pair<ByteString, ByteString> JournalSummary(const ByteString& directory) {
  ByteString calls;
  ByteString file;
  for (const ByteString& line : JournalLines(directory)) {
    ByteString call = line.substr(0, line.find(' '));
    if (call == "detach") call = line.compare(0, 18, "detach freelibrary") == 0 ? "free" : "exit";
    if (call == "attach") {
      const std::size_t path = line.find("path=") + 5;
      const ByteString loaded = line.substr(path, line.find(" acp=") - path);
      file = loaded.substr(loaded.find_last_of('\\') + 1);
    }
    calls += (calls.empty() ? "" : " ") + call;
  }
  return {calls, file};
}

class ModuleTest : public testing::TestWithParam<ModuleCase> {
 protected:
  TempTree tree;
  const ByteString moduleDirectory = tree.root + "ghost\\";
};

TEST_P(ModuleTest, PrintsAndCalls) {
  const ModuleCase& c = GetParam();
  MakeDirectory(moduleDirectory);
  WriteBytes(moduleDirectory + "answer.bin", kAnswer);
  for (const File& file : c.files) {
    if (file.name.back() == '\\') {
      MakeDirectory(moduleDirectory + file.name);
    } else if (file.content.starts_with('@')) {
      CopyModule(file.content.c_str() + 1, moduleDirectory + file.name);
    } else {
      WriteBytes(moduleDirectory + file.name, file.content);
    }
  }

  const ToolRun run = RunTool(moduleDirectory, tree.root);

  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out.size(), c.out.size());
  EXPECT_TRUE(run.out == c.out) << "printed " << run.out.substr(0, 200);
  const auto [calls, loadedFile] = JournalSummary(moduleDirectory);
  EXPECT_EQ(calls, c.calls);
  EXPECT_EQ(loadedFile, c.loadedFile);
}

INSTANTIATE_TEST_SUITE_P(Cases, ModuleTest, testing::ValuesIn(kModuleCases),
                         CaseName<ModuleCase>);

class ModuleBlocksTest : public testing::Test {
 protected:
  void SetUp() override {
    MakeDirectory(moduleDirectory);
    WriteBytes(moduleDirectory + "answer.bin", kAnswer);
    CopyModule("journal_module.dll", moduleDirectory + "shiori.dll");
  }
  TempTree tree;
  const ByteString moduleDirectory = tree.root + "ghost\\";
};

TEST_F(ModuleBlocksTest, LoadAndRequestGetExactlyTheirBytesWithNoNul) {
  RunTool(moduleDirectory, tree.root);
  const ByteString directory = Hex(moduleDirectory);
  const ByteString request = Hex(kHomeUrlRequest);
  const ByteString directoryLength = std::to_string(moduleDirectory.size());
  EXPECT_EQ(JournalEntries(moduleDirectory, "load"),
            std::vector<ByteString>{"load cwd=" + tree.root.substr(0, tree.root.size() - 1) + " length=" + directoryLength +
                                    " size=" + directoryLength + " bytes=" + directory});
  const auto requests = JournalEntries(moduleDirectory, "request");
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_NE(requests[0].find(" length=74 size=74 bytes=" + request), ByteString::npos) << requests[0];
}

TEST_F(ModuleBlocksTest, DescriptorHeldWithoutReadSharingReadsEmpty) {
  WriteBytes(moduleDirectory + "descript.txt", "shiori,engine.dll\r\n");
  const UniqueFile held(CreateFileA((moduleDirectory + "descript.txt").c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(held);
  const ToolRun run = RunTool(moduleDirectory, tree.root);
  EXPECT_EQ(run.out, kUrl);  // from shiori.dll: engine.dll does not exist
}

TEST_F(ModuleBlocksTest, HundredMebibyteDescriptor) {
  CopyModule("journal_module.dll", moduleDirectory + "engine.dll");
  WriteBytes(moduleDirectory + "descript.txt", "shiori,engine.dll\r\n" + ByteString(100 << 20, 'x'));
  const ToolRun run = RunTool(moduleDirectory, tree.root);
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_EQ(run.out, kUrl);
  EXPECT_EQ(JournalSummary(moduleDirectory), std::make_pair(kFullRun, "engine.dll"s));
}

}  // namespace
