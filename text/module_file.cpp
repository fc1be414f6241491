#include "text/module_file.h"

#include "text/split.h"

void ChooseModuleFile(ByteView aliasText, ByteView descriptText, ByteString& moduleFile) {
  const ByteView deciding = !aliasText.empty() ? aliasText : descriptText;
  if (deciding.empty()) return;
  const KeyValueTable table = BuildTable(deciding, ",");
  if (const auto name = FindValue(table, "shiori")) moduleFile = ByteString(*name);
}
