#pragma once

#include <cstdint>

#include "common/byte_string.h"
#include "common/win32.h"

// One SHIORI module loaded into this process. Text crosses into the module in
// fixed global blocks that become the module's; the block an answer comes back
// in becomes ours and is freed here.
class ShioriModule {
 public:
  ShioriModule() = default;
  ~ShioriModule();
  ShioriModule(const ShioriModule&) = delete;
  ShioriModule& operator=(const ShioriModule&) = delete;

  // Loads directory + file and hands the module its directory. The module
  // counts as loaded only when its load returned exactly 1.
  void Load(const ByteString& directory, const ByteString& file);

  // The module's answer to text, or empty when it is not loaded.
  ByteString Request(ByteView text);

 private:
  // The module's exports, cdecl whatever this compiler's default is.
  using LoadFunction = int(__cdecl*)(HGLOBAL directory, std::int32_t length);
  using UnloadFunction = int(__cdecl*)();
  using RequestFunction = HGLOBAL(__cdecl*)(HGLOBAL request, std::int32_t* length);

  bool loaded_ = false;
  UniqueLibrary library_;  // released last, after unload
  LoadFunction load_ = nullptr;
  UnloadFunction unload_ = nullptr;
  RequestFunction request_ = nullptr;
};
