#include <gtest/gtest.h>

#include "test_support.h"
#include "tests/case_name.h"
#include "text/read_whole_file.h"

using namespace std::string_literals;

namespace {

class ReadWholeFileTest : public testing::Test {
 protected:
  TempTree tree;
  const ByteString path = tree.root + "descript.txt";
};

TEST_F(ReadWholeFileTest, ContentsByteForByte) {
  const ByteString cases[] = {"", "shiori,engine.dll\r\n", "a\0b\0\0"s, ByteString(1 << 20, '\xFF')};
  for (const ByteString& content : cases) {
    SCOPED_TRACE(content.size());
    WriteBytes(path, content);
    EXPECT_EQ(ReadWholeFile(path), content);
  }
}

TEST_F(ReadWholeFileTest, WhatCannotBeOpenedReadsEmpty) {
  MakeDirectory(tree.root + "folder");
  EXPECT_EQ(ReadWholeFile(tree.root + "missing.txt"), "");
  EXPECT_EQ(ReadWholeFile(tree.root + "folder"), "");
  EXPECT_EQ(ReadWholeFile(""), "");
}

TEST_F(ReadWholeFileTest, PathEndsAtNul) {
  WriteBytes(path, "x");
  EXPECT_EQ(ReadWholeFile(path + "\0.bak"s), "x");
}

struct Holder {
  const char* name;
  DWORD access;
  DWORD share;
  bool readable;
};

void PrintTo(const Holder& c, std::ostream* os) { *os << c.name; }

// We ask for read access and grant read sharing only.
const Holder kHolders[] = {
    {"ReaderSharingRead", GENERIC_READ, FILE_SHARE_READ, true},
    {"ReaderSharingAll", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, true},
    {"ReaderSharingNothing", GENERIC_READ, 0, false},
    {"WriterSharingRead", GENERIC_WRITE, FILE_SHARE_READ, false},
    {"WriterSharingAll", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, false},
};

class HeldFileTest : public ReadWholeFileTest, public testing::WithParamInterface<Holder> {};

TEST_P(HeldFileTest, ReadableOnlyWhileNobodyWritesOrDeniesReading) {
  WriteBytes(path, "shiori,engine.dll");
  const Holder& holder = GetParam();
  const UniqueFile held(CreateFileA(path.c_str(), holder.access, holder.share, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(held);
  EXPECT_EQ(ReadWholeFile(path), holder.readable ? "shiori,engine.dll" : "");
}

INSTANTIATE_TEST_SUITE_P(Holders, HeldFileTest, testing::ValuesIn(kHolders),
                         CaseName<Holder>);

}  // namespace
