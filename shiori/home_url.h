#pragma once

#include "common/byte_string.h"

// The one request the tool sends: SHIORI/2.5, string resource "homeurl".
inline constexpr ByteView kHomeUrlRequest =
    "GET String SHIORI/2.5\r\n"
    "ID: homeurl\r\n"
    "Chrset: Shift_JIS\r\n"
    "Sender: korvane\r\n"
    "\r\n";

// What the tool prints for an answer: the value of its last "String" header
// line, or failing that of its last "Word" line, up to its first NUL byte.
// Empty when the answer has neither, or the value is empty.
ByteString HomeUrlFromAnswer(ByteView answer);
