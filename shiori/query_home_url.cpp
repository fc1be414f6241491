#include "shiori/query_home_url.h"

#include <cstdio>

#include "shiori/home_url.h"
#include "shiori/shiori_module.h"

void QueryHomeUrl(ShioriModule& module) {
  const ByteString url = HomeUrlFromAnswer(module.Request(kHomeUrlRequest));
  // Text mode turns each LF into CR LF; the stream is flushed at exit.
  std::fwrite(url.data(), 1, url.size(), stdout);
}
