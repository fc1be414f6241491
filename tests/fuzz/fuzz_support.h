#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Hands out an input's bytes front to back; past the end, bytes read as 0 and
// strings as empty, so every input is a valid case.
class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size)
      : rest_(reinterpret_cast<const char*>(data), size) {}

  unsigned char Byte();
  // Up to count bytes.
  std::string Take(std::size_t count);
  // Bytes up to the next NUL, which is consumed, or up to the end.
  std::string TakeUntilNul();
  std::string Rest();

 private:
  std::string_view rest_;
};

// Reports a difference from the reference model on stderr and aborts, so the
// fuzzer keeps the input and the replay run fails.
[[noreturn]] void ReportMismatch(const char* what, const std::string& input,
                                 const std::string& actual, const std::string& expected);

// Bytes as C string escapes, for mismatch reports.
std::string Escaped(std::string_view bytes);
