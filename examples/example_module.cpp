// A small SHIORI module: it answers the "homeurl" string resource with the
// first line of "homeurl.txt" in its directory, and every other request with
// 204 No Content.

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::string directory;

std::string HomeUrl() {
  std::string url;
  if (FILE* file = std::fopen((directory + "homeurl.txt").c_str(), "rb")) {
    char line[1024];
    if (std::fgets(line, sizeof line, file) != nullptr) url = line;
    std::fclose(file);
  }
  return url.substr(0, url.find_first_of("\r\n"));
}

HGLOBAL Answer(const std::string& text, long* length) {
  HGLOBAL block = GlobalAlloc(GMEM_FIXED, text.size());
  *length = block != nullptr ? static_cast<long>(text.size()) : 0;
  if (block != nullptr) std::memcpy(block, text.data(), text.size());
  return block;
}

}  // namespace

extern "C" {

__declspec(dllexport) int __cdecl load(HGLOBAL block, long length) {
  directory.assign(static_cast<const char*>(block), static_cast<std::size_t>(length));
  GlobalFree(block);
  return 1;
}

__declspec(dllexport) int __cdecl unload() { return 1; }

__declspec(dllexport) HGLOBAL __cdecl request(HGLOBAL block, long* length) {
  const std::string text(static_cast<const char*>(block), static_cast<std::size_t>(*length));
  GlobalFree(block);
  const std::string url = HomeUrl();
  if (text.find("\r\nID: homeurl\r\n") == std::string::npos || url.empty()) {
    return Answer("SHIORI/2.5 204 No Content\r\nSender: Example\r\n\r\n", length);
  }
  return Answer("SHIORI/2.5 200 OK\r\nSender: Example\r\nString: " + url + "\r\n\r\n", length);
}

}  // extern "C"
