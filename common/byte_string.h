#pragma once

#include <string>
#include <string_view>

// Bytes, never text: paths, file contents, requests and answers are all held
// as they are, in whatever code page they came in. Any byte value may occur.
using ByteString = std::string;
using ByteView = std::string_view;
