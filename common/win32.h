#pragma once
// The one include of <windows.h>, and the owners of the handles this tool holds.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "common/unique_resource.h"

struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle Empty() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(Handle handle) noexcept { CloseHandle(handle); }
};

struct GlobalBlockTraits {
  using Handle = HGLOBAL;
  static Handle Empty() noexcept { return nullptr; }
  static void Close(Handle handle) noexcept { GlobalFree(handle); }
};

struct LibraryTraits {
  using Handle = HMODULE;
  static Handle Empty() noexcept { return nullptr; }
  static void Close(Handle handle) noexcept { FreeLibrary(handle); }
};

using UniqueFile = UniqueResource<FileHandleTraits>;
using UniqueGlobal = UniqueResource<GlobalBlockTraits>;
using UniqueLibrary = UniqueResource<LibraryTraits>;
