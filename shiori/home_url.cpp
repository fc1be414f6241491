#include "shiori/home_url.h"

#include "text/split.h"

ByteString HomeUrlFromAnswer(ByteView answer) {
  if (answer.empty()) return {};
  const KeyValueTable headers = BuildTable(answer, ": ");
  auto value = FindValue(headers, "String");
  if (!value) value = FindValue(headers, "Word");
  if (!value) return {};
  return ByteString(value->substr(0, value->find('\0')));
}
