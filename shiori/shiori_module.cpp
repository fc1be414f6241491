#include "shiori/shiori_module.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

template <typename Function>
Function Export(HMODULE library, const char* name) {
  return std::bit_cast<Function>(GetProcAddress(library, name));
}

// A fixed block holding exactly the bytes, with no NUL after them.
UniqueGlobal CopyToFixedBlock(ByteView bytes) {
  UniqueGlobal block(GlobalAlloc(GMEM_FIXED, bytes.size()));
  if (block) std::memcpy(block.get(), bytes.data(), bytes.size());
  return block;
}

}  // namespace

ShioriModule::~ShioriModule() {
  if (loaded_) unload_();
}

void ShioriModule::Load(const ByteString& directory, const ByteString& file) {
  // The path ends at a NUL byte in either part, as any C string does.
  library_.reset(LoadLibraryA((directory + file).c_str()));
  if (!library_) return;
  load_ = Export<LoadFunction>(library_.get(), "load");
  unload_ = Export<UnloadFunction>(library_.get(), "unload");
  request_ = Export<RequestFunction>(library_.get(), "request");
  if (load_ == nullptr || unload_ == nullptr || request_ == nullptr) return;

  // Without a block to hand over, the module is never asked to load.
  UniqueGlobal block = CopyToFixedBlock(directory);
  if (!block) return;
  const auto length = static_cast<std::int32_t>(directory.size());
  loaded_ = load_(block.release(), length) == 1;
}

ByteString ShioriModule::Request(ByteView text) {
  if (!loaded_) return {};
  UniqueGlobal block = CopyToFixedBlock(text);
  if (!block) return {};
  auto length = static_cast<std::int32_t>(text.size());
  const UniqueGlobal answer(request_(block.release(), &length));

  // A null block or a length below one leaves nothing to read, and a length
  // past the end of the block the module returned is cut to the block.
  if (!answer || length <= 0) return {};
  const void* bytes = GlobalLock(answer.get());
  if (bytes == nullptr) return {};
  const SIZE_T available = std::min<SIZE_T>(GlobalSize(answer.get()), static_cast<SIZE_T>(length));
  ByteString copy(static_cast<const char*>(bytes), available);
  GlobalUnlock(answer.get());
  return copy;
}
