// A SHIORI module for tests. It takes its behaviour from files beside it and
// appends every call it gets, with the exact bytes of every block, to
// "journal.txt" beside it:
//   load-result.txt   what load returns (default 1)
//   answer.bin        the answer's bytes (default none: an empty block)
//   answer-length.txt the answer length reported instead of the real one
//   answer-block.txt  "null": answer with a null block
//   load-chdir.txt    a directory load switches the process to
//   load-locale.txt   a C runtime locale load selects
// Built without one export (OMIT_LOAD, OMIT_UNLOAD, OMIT_REQUEST) it stands in
// for a broken module.

#include <windows.h>

#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string moduleDirectory;

std::string ReadFileBytes(const std::string& name, bool* found = nullptr) {
  std::string bytes;
  FILE* file = std::fopen((moduleDirectory + name).c_str(), "rb");
  if (found != nullptr) *found = file != nullptr;
  if (file == nullptr) return bytes;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.append(buffer, n);
  std::fclose(file);
  return bytes;
}

std::string CurrentDirectory() {
  char buffer[MAX_PATH * 4];
  const DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
  return std::string(buffer, length < sizeof buffer ? length : 0);
}

std::string Hex(const void* data, std::size_t size) {
  static const char kDigits[] = "0123456789abcdef";
  std::string hex;
  const auto* bytes = static_cast<const unsigned char*>(data);
  for (std::size_t i = 0; i < size; ++i) {
    hex += kDigits[bytes[i] >> 4];
    hex += kDigits[bytes[i] & 15];
  }
  return hex;
}

void Journal(const std::string& line) {
  FILE* file = std::fopen((moduleDirectory + "journal.txt").c_str(), "ab");
  if (file == nullptr) return;
  std::fwrite(line.data(), 1, line.size(), file);
  std::fputc('\n', file);
  std::fclose(file);
}

// A block handed over: its length argument, the block's own size, its bytes.
std::string DescribeBlock(HGLOBAL block, long length) {
  const SIZE_T size = block != nullptr ? GlobalSize(block) : 0;
  const std::size_t shown = static_cast<std::size_t>(length) < size ? static_cast<std::size_t>(length) : size;
  return " length=" + std::to_string(length) + " size=" + std::to_string(size) +
         " bytes=" + Hex(block, block != nullptr ? shown : 0);
}

}  // namespace

// cppcheck-suppress constParameter ; DllMain's signature is fixed by Windows
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    char path[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameA(instance, path, sizeof path);
    moduleDirectory.assign(path, length);
    moduleDirectory.erase(moduleDirectory.find_last_of('\\') + 1);
    Journal("attach path=" + std::string(path, length) + " acp=" + std::to_string(GetACP()) +
            " cwd=" + CurrentDirectory());
  } else if (reason == DLL_PROCESS_DETACH) {
    // A null reserved means FreeLibrary, anything else the process ending.
    Journal(std::string("detach ") + (reserved == nullptr ? "freelibrary" : "exit") +
            " cwd=" + CurrentDirectory());
  }
  return TRUE;
}

extern "C" {

#ifndef OMIT_LOAD
__declspec(dllexport) int __cdecl load(HGLOBAL directory, long length) {
  Journal("load cwd=" + CurrentDirectory() + DescribeBlock(directory, length));
  GlobalFree(directory);
  const std::string chdir = ReadFileBytes("load-chdir.txt");
  if (!chdir.empty()) SetCurrentDirectoryA(chdir.c_str());
  bool haveLocale = false;
  const std::string locale = ReadFileBytes("load-locale.txt", &haveLocale);
  if (haveLocale) std::setlocale(LC_ALL, locale.c_str());
  bool haveResult = false;
  const std::string result = ReadFileBytes("load-result.txt", &haveResult);
  return haveResult ? static_cast<int>(std::strtol(result.c_str(), nullptr, 10)) : 1;
}
#endif

#ifndef OMIT_UNLOAD
__declspec(dllexport) int __cdecl unload() {
  Journal("unload cwd=" + CurrentDirectory());
  return 1;
}
#endif

#ifndef OMIT_REQUEST
__declspec(dllexport) HGLOBAL __cdecl request(HGLOBAL text, long* length) {
  Journal("request cwd=" + CurrentDirectory() + DescribeBlock(text, *length));
  GlobalFree(text);
  const std::string answer = ReadFileBytes("answer.bin");
  bool haveLength = false;
  const std::string reported = ReadFileBytes("answer-length.txt", &haveLength);
  *length = haveLength ? std::strtol(reported.c_str(), nullptr, 10) : static_cast<long>(answer.size());
  if (ReadFileBytes("answer-block.txt") == "null") return nullptr;
  HGLOBAL block = GlobalAlloc(GMEM_FIXED, answer.size());
  if (block != nullptr) CopyMemory(block, answer.data(), answer.size());
  return block;
}
#endif

}  // extern "C"
