#include "common/win32.h"
#include "driver/module_directory.h"

// Last: it defines macros (_M1, _M2) that collide with names in <type_traits>.
#include <mbctype.h>

namespace {

// The runtime's multibyte table, set up at start from the ANSI code page.
LeadBytes AnsiCodePageLeadBytes() {
  LeadBytes lead;
  for (int byte = 0; byte < 256; ++byte) lead.isLead[byte] = _ismbblead(byte) != 0;
  return lead;
}

}  // namespace

ByteString ResolveModuleDirectory(ByteView argument, ByteView startDirectory) {
  ModuleDirectoryPlan plan = PlanModuleDirectory(argument, startDirectory, AnsiCodePageLeadBytes());
  if (plan.baseDirectory) SetCurrentDirectoryA(plan.baseDirectory->c_str());
  return std::move(plan.moduleDirectory);
}
