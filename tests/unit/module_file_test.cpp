#include <gtest/gtest.h>

#include "tests/case_name.h"
#include "text/module_file.h"

namespace {

struct ModuleFileCase {
  const char* name;
  ByteString alias;
  ByteString descript;
  ByteString moduleFile;
};

// Names the case in failure messages instead of dumping its bytes.
void PrintTo(const ModuleFileCase& c, std::ostream* os) { *os << c.name; }

const ModuleFileCase kModuleFileCases[] = {
    {"NeitherFile", "", "", "shiori.dll"},
    {"DescriptNamesModule", "", "name,x\r\nshiori,engine.dll\r\n", "engine.dll"},
    {"AliasWithoutKeyKeepsDefault", "name,x\r\n", "shiori,engine.dll\r\n", "shiori.dll"},
    {"AliasWins", "shiori,alias.dll", "shiori,descript.dll", "alias.dll"},
    {"KeyIsCaseSensitive", "", "Shiori,engine.dll", "shiori.dll"},
    {"LeadingBlankKept", "", "shiori, engine.dll", " engine.dll"},
    {"EmptyValueReplaces", "", "shiori,,x", ""},
    {"SeparatorAtEndIgnored", "", "shiori,", "shiori.dll"},
    {"LfOnlyValueRunsOn", "", "shiori,engine.dll\nname,x", "engine.dll\nname"},
    {"LfOnlyHidesLaterKey", "", "name,x\nshiori,engine.dll", "shiori.dll"},
    {"LastLineWins", "", "shiori,a.dll\r\nshiori,b.dll\r\n", "b.dll"},
};

class ChooseModuleFileTest : public testing::TestWithParam<ModuleFileCase> {};

TEST_P(ChooseModuleFileTest, ModuleFile) {
  const ModuleFileCase& c = GetParam();
  ByteString moduleFile(kDefaultModuleFile);
  ChooseModuleFile(c.alias, c.descript, moduleFile);
  EXPECT_EQ(moduleFile, c.moduleFile);
}

INSTANTIATE_TEST_SUITE_P(Cases, ChooseModuleFileTest, testing::ValuesIn(kModuleFileCases),
                         CaseName<ModuleFileCase>);

}  // namespace
