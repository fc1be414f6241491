// IsDriveLetterPath, FindBaseDirectory and PlanModuleDirectory against the
// reference model. Input: a lead-table choice, the argument up to a NUL, then
// the start directory up to the next NUL (both free of NUL, as argv strings
// and working directories are).
#include <cstdint>

#include "driver/module_directory.h"
#include "fuzz_support.h"
#include "reference.h"

namespace {

std::string DescribeOptional(const std::optional<std::string>& value) {
  return value ? Escaped(*value) : "nothing";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const bool shiftJis = (input.Byte() & 1) == 0;
  const std::string argument = input.TakeUntilNul();
  const std::string startDirectory = input.TakeUntilNul();

  const LeadBytes lead = shiftJis ? ShiftJisLeadBytes() : kSingleByteLeadBytes;
  const reference::IsLeadByte isLead = shiftJis ? reference::ShiftJisLead : reference::NoLead;
  // Spelled out only on a mismatch: escaping every input would cost more than the checks.
  const auto described = [&] {
    return std::string(shiftJis ? "shift_jis" : "single_byte") + " argument " + Escaped(argument) +
           " start " + Escaped(startDirectory);
  };

  if (IsDriveLetterPath(argument) != reference::IsDriveLetterPath(argument)) {
    ReportMismatch("IsDriveLetterPath", described(), IsDriveLetterPath(argument) ? "yes" : "no",
                   reference::IsDriveLetterPath(argument) ? "yes" : "no");
  }

  // Climbed for every argument, not only drive-letter ones the plan climbs.
  const std::optional<ByteString> base = FindBaseDirectory(argument, lead);
  const std::optional<std::string> expectedBase = reference::BaseDirectory(argument, isLead);
  if (base != expectedBase) {
    ReportMismatch("FindBaseDirectory", described(), DescribeOptional(base),
                   DescribeOptional(expectedBase));
  }

  const ModuleDirectoryPlan plan = PlanModuleDirectory(argument, startDirectory, lead);
  const reference::Plan expected = reference::ModuleDirectory(argument, startDirectory, isLead);
  if (plan.moduleDirectory != expected.moduleDirectory || plan.baseDirectory != expected.baseDirectory) {
    ReportMismatch("PlanModuleDirectory", described(),
                   Escaped(plan.moduleDirectory) + " base " + DescribeOptional(plan.baseDirectory),
                   Escaped(expected.moduleDirectory) + " base " +
                       DescribeOptional(expected.baseDirectory));
  }
  return 0;
}
