#include "driver/run.h"

#include <cstdio>
#include <new>
#include <optional>

#include "common/win32.h"
#include "driver/module_directory.h"
#include "shiori/query_home_url.h"
#include "shiori/shiori_module.h"
#include "text/module_file.h"

namespace {

// Nothing when the directory cannot be read or needs more than the buffer,
// which GetCurrentDirectoryA then leaves unfilled.
std::optional<ByteString> CurrentDirectory() {
  char buffer[kPathBufferSize];
  const DWORD length = GetCurrentDirectoryA(kPathBufferSize, buffer);
  if (length == 0 || length >= kPathBufferSize) return std::nullopt;
  return ByteString(buffer, length);
}

void AskModuleForHomeUrl(ByteView argument, const std::optional<ByteString>& startDirectory) {
  const ByteString moduleDirectory =
      ResolveModuleDirectory(argument, startDirectory ? *startDirectory : kUnknownStartDirectory);
  ByteString moduleFile(kDefaultModuleFile);
  SelectModuleFile(moduleDirectory, moduleFile);

  ShioriModule module;
  module.Load(moduleDirectory, moduleFile);
  QueryHomeUrl(module);
}  // unload and release happen here, before the directory comes back

}  // namespace

int Run(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("usage: \n", stderr);
    std::fflush(stderr);
    return 1;
  }
  const std::optional<ByteString> startDirectory = CurrentDirectory();
  try {
    AskModuleForHomeUrl(argv[1], startDirectory);
  } catch (const std::bad_alloc&) {
    // Out of memory on a huge descriptor file or answer: nothing to print,
    // but the working directory still comes back.
  }
  if (startDirectory) SetCurrentDirectoryA(startDirectory->c_str());
  return 0;
}
