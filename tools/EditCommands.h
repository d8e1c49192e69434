// The editing commands: insert, modify and delete user entries through the user entry store,
// each followed by a reload of the index, as the program's user-entries menu does.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tools/ToolContext.h"

namespace quorvel::tools {

// insert ENGLISH GREEK DESCRIPTION
int RunInsert(ToolContext& context, const std::vector<std::string>& args);
// modify SLOT ENGLISH GREEK DESCRIPTION
int RunModify(ToolContext& context, const std::vector<std::string>& args);
// delete SLOT
int RunDelete(ToolContext& context, const std::vector<std::string>& args);

// A description argument as the editor joins its lines: every line feed not already preceded
// by a carriage return becomes CR LF.
std::string EditorLineBreaks(std::string_view text);

}  // namespace quorvel::tools
