#include "test_support.h"

#include <gtest/gtest.h>

#include <atomic>

ByteString BuildDirectory() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  ByteString directory(path, length);
  return directory.erase(directory.find_last_of('\\') + 1);
}

ByteString CurrentDirectory() {
  char path[MAX_PATH * 4];
  const DWORD length = GetCurrentDirectoryA(sizeof path, path);
  return ByteString(path, length < sizeof path ? length : 0);
}

void WriteBytes(const ByteString& path, ByteView bytes) {
  const UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(file) << path;
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
  ASSERT_EQ(written, bytes.size());
}

ByteString ReadBytes(const ByteString& path) {
  const UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return {};
  ByteString bytes;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  return bytes;
}

void MakeDirectory(const ByteString& path) {
  ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path << " error " << GetLastError();
}

void CopyModule(const char* module, const ByteString& path) {
  ASSERT_TRUE(CopyFileA((BuildDirectory() + module).c_str(), path.c_str(), FALSE))
      << module << " -> " << path << " error " << GetLastError();
}

namespace {

void RemoveTree(const ByteString& directory) {
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((directory + "*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const ByteString name = found.cFileName;
      if (name == "." || name == "..") continue;
      const ByteString path = directory + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path + "\\");
      } else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(directory.c_str());
}

}  // namespace

TempTree::TempTree() {
  static std::atomic<int> counter{0};
  // At the root of the temporary directory's drive, so that a path below it
  // can be short enough to climb fewer than five names.
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  root = ByteString(temp, 3) + "homeurl-" + std::to_string(GetCurrentProcessId()) + "-" +
         std::to_string(counter++) + "\\";
  RemoveTree(root);
  if (!CreateDirectoryA(root.c_str(), nullptr)) {
    root = ByteString(temp) + root.substr(3);
    CreateDirectoryA(root.c_str(), nullptr);
  }
}

TempTree::~TempTree() { RemoveTree(root); }

std::vector<ByteString> JournalLines(const ByteString& directory) {
  std::vector<ByteString> lines;
  const ByteString journal = ReadBytes(directory + "journal.txt");
  for (std::size_t start = 0; start < journal.size();) {
    const std::size_t end = journal.find('\n', start);
    lines.push_back(journal.substr(start, end - start));
    if (end == ByteString::npos) break;
    start = end + 1;
  }
  return lines;
}

std::vector<ByteString> JournalEntries(const ByteString& directory, ByteView word) {
  std::vector<ByteString> entries;
  for (const ByteString& line : JournalLines(directory)) {
    if (line.compare(0, word.size(), word) == 0 && line.size() > word.size() && line[word.size()] == ' ') {
      entries.push_back(line);
    }
  }
  return entries;
}

ByteString Hex(ByteView bytes) {
  static const char kDigits[] = "0123456789abcdef";
  ByteString hex;
  for (const unsigned char byte : bytes) {
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 15];
  }
  return hex;
}

ToolRun RunTool(ByteView arguments, const ByteString& workingDirectory) {
  ToolRun run;
  const TempTree outputs;
  const ByteString outPath = outputs.root + "out.bin";
  const ByteString errPath = outputs.root + "err.bin";
  {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const UniqueFile out(CreateFileA(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                     CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    const UniqueFile err(CreateFileA(errPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                     CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_TRUE(out && err);

    ByteString commandLine = ByteString("\"").append(BuildDirectory()).append("homeurl.exe\"");
    if (!arguments.empty()) commandLine.append(" ").append(arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out.get();
    startup.hStdError = err.get();
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                        workingDirectory.c_str(), &startup, &process)) {
      ADD_FAILURE() << "cannot start " << commandLine << " error " << GetLastError();
      return run;
    }
    // A hung run fails its test instead of holding up the whole suite.
    if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) {
      TerminateProcess(process.hProcess, 259);
      ADD_FAILURE() << "still running after a minute: " << commandLine;
    }
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  run.out = ReadBytes(outPath);
  run.err = ReadBytes(errPath);
  return run;
}
