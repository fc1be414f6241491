// HomeUrlFromAnswer against the reference model. Input: the answer's bytes.
#include <cstdint>

#include "fuzz_support.h"
#include "reference.h"
#include "shiori/home_url.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string answer = FuzzInput(data, size).Rest();
  const ByteString actual = HomeUrlFromAnswer(answer);
  const std::string expected = reference::HomeUrl(answer);
  if (actual != expected) {
    ReportMismatch("HomeUrlFromAnswer", "answer " + Escaped(answer), Escaped(actual),
                   Escaped(expected));
  }
  return 0;
}
