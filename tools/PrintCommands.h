// The print command: the print document of an entry, as the print button builds it.
#pragma once

#include <string>
#include <vector>

#include "tools/ToolContext.h"

namespace quorvel::tools {

// print-document SLOT [--greek]
int RunPrintDocument(ToolContext& context, const std::vector<std::string>& args);

}  // namespace quorvel::tools
