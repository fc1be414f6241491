#pragma once

#include <cstddef>
#include <optional>

#include "common/byte_string.h"
#include "text/lead_bytes.h"

// Room for a path and its closing NUL in the working-directory calls.
inline constexpr std::size_t kPathBufferSize = 260;

// Stands in for a start directory that could not be read: the relative form
// then stays relative to the working directory, which it never changes.
inline constexpr ByteView kUnknownStartDirectory = ".";

// Longer than two bytes, an ASCII letter, then ':'. "C:" alone is not one.
bool IsDriveLetterPath(ByteView argument);

// The argument cut five times at its last backslash, or nothing when it has
// fewer than five or does not fit a path buffer with its NUL. Backslashes are
// looked for character by character, so the second byte of a double-byte
// character is never one; a lead byte that ends the text ends the search.
//   FindBaseDirectory("C:\\a\\b\\c\\d\\e\\", ...) -> "C:\\a"
//   FindBaseDirectory("C:\\a\\b\\", ...)          -> nothing (three cuts)
std::optional<ByteString> FindBaseDirectory(ByteView argument, const LeadBytes& lead);

struct ModuleDirectoryPlan {
  ByteString moduleDirectory;               // put in front of every file name
  std::optional<ByteString> baseDirectory;  // where the module runs, if it moves
};

// A drive-letter argument is the module directory as it stands, with a base
// directory when it climbs five cuts. Anything else is made
// startDirectory + "\" + argument + "\", merging no separators.
ModuleDirectoryPlan PlanModuleDirectory(ByteView argument, ByteView startDirectory,
                                        const LeadBytes& lead);

// Plans with the lead bytes of the process's ANSI code page and moves to the
// base directory when there is one. Windows only.
ByteString ResolveModuleDirectory(ByteView argument, ByteView startDirectory);
