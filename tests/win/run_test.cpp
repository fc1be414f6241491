// The run driven in-process, so the working directory can be looked at
// before and after it.

#include <gtest/gtest.h>

#include "driver/run.h"
#include "test_support.h"

namespace {

class RunTest : public testing::Test {
 protected:
  void SetUp() override { startDirectory = CurrentDirectory(); }
  void TearDown() override { SetCurrentDirectoryA(startDirectory.c_str()); }

  int RunWith(std::vector<ByteString> arguments) {
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (ByteString& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    return ::Run(static_cast<int>(argv.size() - 1), argv.data());
  }

  TempTree tree;
  ByteString startDirectory;
};

TEST_F(RunTest, NoArgumentLeavesTheWorkingDirectoryAlone) {
  ASSERT_TRUE(SetCurrentDirectoryA(tree.root.c_str()));
  const ByteString before = CurrentDirectory();
  EXPECT_EQ(RunWith({"homeurl.exe"}), 1);
  EXPECT_EQ(CurrentDirectory(), before);
}

TEST_F(RunTest, WorkingDirectoryIsTheBaseDuringTheRunAndRestoredAfter) {
  const ByteString moduleDirectory = tree.root + "a\\b\\c\\d\\e\\";
  for (const char* part : {"a\\", "a\\b\\", "a\\b\\c\\", "a\\b\\c\\d\\", "a\\b\\c\\d\\e\\"}) {
    MakeDirectory(tree.root + part);
  }
  CopyModule("journal_module.dll", moduleDirectory + "shiori.dll");
  ASSERT_TRUE(SetCurrentDirectoryA(tree.root.c_str()));
  const ByteString before = CurrentDirectory();

  EXPECT_EQ(RunWith({"homeurl.exe", moduleDirectory}), 0);

  EXPECT_EQ(CurrentDirectory(), before);
  const ByteString base = tree.root + "a";
  const std::vector<ByteString> journal = JournalLines(moduleDirectory);
  ASSERT_EQ(journal.size(), 5u);
  EXPECT_NE(journal[1].find("load cwd=" + base + " "), ByteString::npos) << journal[1];
  EXPECT_NE(journal[2].find("request cwd=" + base + " "), ByteString::npos) << journal[2];
  EXPECT_EQ(journal[3], "unload cwd=" + base);
  EXPECT_EQ(journal[4], "detach freelibrary cwd=" + base);
}

TEST_F(RunTest, RelativeArgumentNeverMovesTheWorkingDirectory) {
  MakeDirectory(tree.root + "mod\\");
  CopyModule("journal_module.dll", tree.root + "mod\\shiori.dll");
  ASSERT_TRUE(SetCurrentDirectoryA(tree.root.c_str()));
  const ByteString before = CurrentDirectory();

  EXPECT_EQ(RunWith({"homeurl.exe", "mod", "ignored"}), 0);

  EXPECT_EQ(CurrentDirectory(), before);
  EXPECT_EQ(JournalEntries(tree.root + "mod\\", "unload"), std::vector<ByteString>{"unload cwd=" + before});
}

TEST_F(RunTest, ModuleThatMovesTheWorkingDirectoryDoesNotKeepItMoved) {
  MakeDirectory(tree.root + "mod\\");
  MakeDirectory(tree.root + "elsewhere\\");
  CopyModule("journal_module.dll", tree.root + "mod\\shiori.dll");
  WriteBytes(tree.root + "mod\\load-chdir.txt", tree.root + "elsewhere");
  ASSERT_TRUE(SetCurrentDirectoryA(tree.root.c_str()));
  const ByteString before = CurrentDirectory();

  EXPECT_EQ(RunWith({"homeurl.exe", "mod"}), 0);

  EXPECT_EQ(JournalEntries(tree.root + "mod\\", "unload"),
            std::vector<ByteString>{"unload cwd=" + tree.root + "elsewhere"});
  EXPECT_EQ(CurrentDirectory(), before);
}

}  // namespace
