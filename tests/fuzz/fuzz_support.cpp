#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>

unsigned char FuzzInput::Byte() {
  if (rest_.empty()) return 0;
  const auto byte = static_cast<unsigned char>(rest_.front());
  rest_.remove_prefix(1);
  return byte;
}

std::string FuzzInput::Take(std::size_t count) {
  const std::string_view taken = rest_.substr(0, count);
  rest_.remove_prefix(taken.size());
  return std::string(taken);
}

std::string FuzzInput::TakeUntilNul() {
  const std::size_t nul = rest_.find('\0');
  std::string taken = Take(nul);
  if (nul != std::string_view::npos) rest_.remove_prefix(1);
  return taken;
}

std::string FuzzInput::Rest() { return Take(rest_.size()); }

std::string Escaped(std::string_view bytes) {
  std::string out = "\"";
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\') {
      out += c;
    } else {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", byte);
      out += hex;
    }
  }
  return out + "\"";
}

void ReportMismatch(const char* what, const std::string& input, const std::string& actual,
                    const std::string& expected) {
  std::fprintf(stderr, "mismatch in %s\n  input:     %s\n  actual:    %s\n  reference: %s\n", what,
               input.c_str(), actual.c_str(), expected.c_str());
  std::abort();
}
