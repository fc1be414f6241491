#pragma once

#include "common/byte_string.h"

// The whole file, byte for byte, read in one call. A file that cannot be
// opened, or that no buffer of its size can be had for, reads as empty; so does
// a path with a NUL byte in it beyond the NUL.
ByteString ReadWholeFile(const ByteString& path);
