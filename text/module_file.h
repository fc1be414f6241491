#pragma once

#include "common/byte_string.h"

inline constexpr ByteView kDefaultModuleFile = "shiori.dll";

// Lets the descriptor texts name the module file. The first non-empty text
// decides: its "shiori" entry, even an empty one, replaces moduleFile; when it
// has none, or both texts are empty, moduleFile stays as it is.
void ChooseModuleFile(ByteView aliasText, ByteView descriptText, ByteString& moduleFile);

// Reads "alias.txt" and then "descript.txt" from moduleDirectory (a prefix put
// in front of each name as it stands) and chooses the module file from them.
void SelectModuleFile(const ByteString& moduleDirectory, ByteString& moduleFile);
