#include "driver/module_directory.h"

bool IsDriveLetterPath(ByteView argument) {
  if (argument.size() <= 2) return false;
  const char first = argument[0];
  const bool letter = (first >= 'A' && first <= 'Z') || (first >= 'a' && first <= 'z');
  return letter && argument[1] == ':';
}

namespace {

// Position of the last backslash that starts a character, or npos.
std::size_t LastBackslash(ByteView text, const LeadBytes& lead) {
  std::size_t last = ByteView::npos;
  for (std::size_t at = 0; at < text.size();) {
    if (lead(text[at])) {
      at += 2;
    } else {
      if (text[at] == '\\') last = at;
      ++at;
    }
  }
  return last;
}

}  // namespace

std::optional<ByteString> FindBaseDirectory(ByteView argument, const LeadBytes& lead) {
  constexpr int kCuts = 5;
  if (argument.size() >= kPathBufferSize) return std::nullopt;
  ByteView rest = argument;
  for (int cuts = 0; cuts < kCuts; ++cuts) {
    const std::size_t backslash = LastBackslash(rest, lead);
    if (backslash == ByteView::npos) return std::nullopt;
    rest = rest.substr(0, backslash);
  }
  return ByteString(rest);
}

ModuleDirectoryPlan PlanModuleDirectory(ByteView argument, ByteView startDirectory,
                                        const LeadBytes& lead) {
  if (IsDriveLetterPath(argument)) {
    return {ByteString(argument), FindBaseDirectory(argument, lead)};
  }
  ByteString moduleDirectory;
  moduleDirectory.reserve(startDirectory.size() + argument.size() + 2);
  moduleDirectory.append(startDirectory).append(1, '\\').append(argument).append(1, '\\');
  return {std::move(moduleDirectory), std::nullopt};
}
