// The least a run of homeurl.exe can cost: load the module, hand it its
// directory, send the one request, write the answer, unload. No descriptor
// files, no parsing. Timed beside the tool, it shows what the tool adds to
// process start and module loading.
// usage: floor.exe DIRECTORY FILE [LOCALE]
//   DIRECTORY is relative to the working directory. With LOCALE, the C runtime
//   locale is selected first, as the tool does before it splits any text; under
//   wine the first such selection by name alone costs milliseconds.

#include <windows.h>

#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "shiori/home_url.h"

namespace {

using LoadFunction = int(__cdecl*)(HGLOBAL, long);
using UnloadFunction = int(__cdecl*)();
using RequestFunction = HGLOBAL(__cdecl*)(HGLOBAL, long*);

HGLOBAL FixedBlock(const char* bytes, std::size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_FIXED, size);
  if (block != nullptr) std::memcpy(block, bytes, size);
  return block;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 1;
  if (argc > 3 && std::setlocale(LC_ALL, argv[3]) == nullptr) return 1;
  // The same directory string the tool builds: start directory, the argument,
  // a closing backslash.
  char directory[MAX_PATH * 4];
  const DWORD start = GetCurrentDirectoryA(MAX_PATH, directory);
  if (start == 0 || start >= MAX_PATH) return 1;
  const int added = std::snprintf(directory + start, sizeof directory - start, "\\%s\\", argv[1]);
  if (added < 0 || static_cast<std::size_t>(added) >= sizeof directory - start) return 1;
  const int length = static_cast<int>(start) + added;
  char path[MAX_PATH * 5];
  const int pathLength = std::snprintf(path, sizeof path, "%s%s", directory, argv[2]);
  if (pathLength < 0 || static_cast<std::size_t>(pathLength) >= sizeof path) return 1;

  HMODULE library = LoadLibraryA(path);
  if (library == nullptr) return 2;
  const auto load = reinterpret_cast<LoadFunction>(reinterpret_cast<void*>(GetProcAddress(library, "load")));
  const auto unload = reinterpret_cast<UnloadFunction>(reinterpret_cast<void*>(GetProcAddress(library, "unload")));
  const auto request = reinterpret_cast<RequestFunction>(reinterpret_cast<void*>(GetProcAddress(library, "request")));
  if (load == nullptr || unload == nullptr || request == nullptr) return 3;

  HGLOBAL directoryBlock = FixedBlock(directory, static_cast<std::size_t>(length));
  if (directoryBlock == nullptr || load(directoryBlock, length) != 1) return 4;

  long requestLength = static_cast<std::int32_t>(kHomeUrlRequest.size());
  HGLOBAL answer = request(FixedBlock(kHomeUrlRequest.data(), kHomeUrlRequest.size()), &requestLength);
  if (answer != nullptr && requestLength > 0) {
    // Nothing to do about a short write: the caller sees the bytes or not.
    static_cast<void>(std::fwrite(answer, 1, static_cast<std::size_t>(requestLength), stdout));
  }
  if (answer != nullptr) GlobalFree(answer);
  unload();
  FreeLibrary(library);
  return 0;
}
