#pragma once
// Files, directories and child processes for the Windows-side tests.

#include <vector>

#include "common/byte_string.h"
#include "common/win32.h"

// The directory of the running test executable, where the build puts
// homeurl.exe and the test modules; with its closing backslash.
ByteString BuildDirectory();
ByteString CurrentDirectory();

void WriteBytes(const ByteString& path, ByteView bytes);
ByteString ReadBytes(const ByteString& path);
void MakeDirectory(const ByteString& path);

// Copies a test module of the build, e.g. "journal_module.dll", to path.
void CopyModule(const char* module, const ByteString& path);

// A fresh directory under the temporary directory, removed with all it holds
// when the holder goes. Its path ends with a backslash.
struct TempTree {
  TempTree();
  ~TempTree();
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;
  ByteString root;
};

// The lines the journal module wrote in directory, in order.
std::vector<ByteString> JournalLines(const ByteString& directory);
// The journal's lines that start with word, e.g. "load".
std::vector<ByteString> JournalEntries(const ByteString& directory, ByteView word);
ByteString Hex(ByteView bytes);

struct ToolRun {
  DWORD exitCode = 0;
  ByteString out;
  ByteString err;
};

// Runs homeurl.exe with the raw command-line text after its name, in
// workingDirectory, and collects the bytes it writes and its exit status.
ToolRun RunTool(ByteView arguments, const ByteString& workingDirectory);
