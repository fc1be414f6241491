#include "text/read_whole_file.h"

#include "common/win32.h"
#include "text/module_file.h"

ByteString ReadWholeFile(const ByteString& path) {
  // Others may keep reading; a file someone is writing to is not read at all.
  const UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return {};

  // Low 32 bits only. INVALID_FILE_SIZE is also a real size, so only the
  // error code tells a failure from a file of 4 GiB - 1 bytes.
  const DWORD size = GetFileSize(file.get(), nullptr);
  if (size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return {};

  const UniqueGlobal block(GlobalAlloc(GMEM_ZEROINIT, size));
  if (!block) return {};
  // A short read is not noticed: what it did not deliver stays zero bytes.
  DWORD bytesRead = 0;
  ReadFile(file.get(), block.get(), size, &bytesRead, nullptr);
  return ByteString(static_cast<const char*>(block.get()), size);
}

void SelectModuleFile(const ByteString& moduleDirectory, ByteString& moduleFile) {
  // Both files are read before either is looked at.
  const ByteString aliasText = ReadWholeFile(moduleDirectory + "alias.txt");
  const ByteString descriptText = ReadWholeFile(moduleDirectory + "descript.txt");
  ChooseModuleFile(aliasText, descriptText, moduleFile);
}
