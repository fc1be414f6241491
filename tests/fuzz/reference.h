#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

// Slow, literal models of the portable rules, written apart from the code
// they check: one loop per rule, no shared helpers with the production code.
namespace reference {

// A byte test in place of a lead-byte table, so the tables get checked too.
using IsLeadByte = bool (*)(unsigned char byte);

bool ShiftJisLead(unsigned char byte);
bool NoLead(unsigned char byte);

std::vector<std::string> Split(const std::string& text, const std::string& delimiter,
                               IsLeadByte isLead);

// Key to value, the last stored line for a key winning.
std::map<std::string, std::string> Table(const std::string& text, const std::string& separator,
                                         IsLeadByte isLead);

bool IsDriveLetterPath(const std::string& argument);
std::optional<std::string> BaseDirectory(const std::string& argument, IsLeadByte isLead);

struct Plan {
  std::string moduleDirectory;
  std::optional<std::string> baseDirectory;
};
Plan ModuleDirectory(const std::string& argument, const std::string& startDirectory,
                     IsLeadByte isLead);

std::string HomeUrl(const std::string& answer);

}  // namespace reference
