#include "reference.h"

namespace reference {

bool ShiftJisLead(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool NoLead(unsigned char /*byte*/) { return false; }

std::vector<std::string> Split(const std::string& text, const std::string& delimiter,
                               IsLeadByte isLead) {
  if (delimiter.empty()) return {text};
  const auto lead = [&](std::size_t at) { return isLead(static_cast<unsigned char>(text[at])); };
  std::vector<std::string> pieces;
  std::size_t pieceStart = 0;
  std::size_t search = 0;
  for (;;) {
    std::size_t found = std::string::npos;
    for (std::size_t at = search; at + delimiter.size() <= text.size(); ++at) {
      if (text.compare(at, delimiter.size(), delimiter) == 0) {
        found = at;
        break;
      }
    }
    if (found == std::string::npos) {
      pieces.push_back(text.substr(pieceStart));
      return pieces;
    }
    const bool guarded = found >= 1 && lead(found - 1) && (found == 1 || !lead(found - 2));
    search = found + delimiter.size();
    if (guarded) {
      if (search >= text.size()) {
        pieces.push_back(text.substr(pieceStart));
        return pieces;
      }
      continue;
    }
    pieces.push_back(text.substr(pieceStart, found - pieceStart));
    pieceStart = search;
    if (pieceStart >= text.size()) return pieces;
  }
}

std::map<std::string, std::string> Table(const std::string& text, const std::string& separator,
                                         IsLeadByte isLead) {
  std::map<std::string, std::string> table;
  for (const std::string& line : Split(text, "\r\n", isLead)) {
    const std::vector<std::string> fields = Split(line, separator, isLead);
    if (fields.size() >= 2) table[fields[0]] = fields[1];
  }
  return table;
}

bool IsDriveLetterPath(const std::string& argument) {
  const std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  return argument.size() > 2 && letters.find(argument[0]) != std::string::npos &&
         argument[1] == ':';
}

std::optional<std::string> BaseDirectory(const std::string& argument, IsLeadByte isLead) {
  if (argument.size() >= 260) return std::nullopt;
  std::string rest = argument;
  for (int cut = 0; cut < 5; ++cut) {
    // Where each character starts; a lead byte takes the byte after it along.
    std::vector<std::size_t> starts;
    for (std::size_t at = 0; at < rest.size();
         at += isLead(static_cast<unsigned char>(rest[at])) ? 2 : 1) {
      starts.push_back(at);
    }
    std::optional<std::size_t> last;
    for (const std::size_t start : starts) {
      if (rest[start] == '\\') last = start;
    }
    if (!last) return std::nullopt;
    rest.resize(*last);
  }
  return rest;
}

Plan ModuleDirectory(const std::string& argument, const std::string& startDirectory,
                     IsLeadByte isLead) {
  if (IsDriveLetterPath(argument)) return {argument, BaseDirectory(argument, isLead)};
  return {startDirectory + "\\" + argument + "\\", std::nullopt};
}

std::string HomeUrl(const std::string& answer) {
  const std::map<std::string, std::string> headers = Table(answer, ": ", ShiftJisLead);
  std::string value;
  if (headers.count("String") != 0) {
    value = headers.at("String");
  } else if (headers.count("Word") != 0) {
    value = headers.at("Word");
  }
  const std::size_t nul = value.find('\0');
  return nul == std::string::npos ? value : value.substr(0, nul);
}

}  // namespace reference
