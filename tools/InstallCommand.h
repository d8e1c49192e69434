// The install command of quorvel-tools: installs the program folder into a folder as the install
// dialog's OK does, and prints the message the window would show.
#pragma once

#include <string>
#include <vector>

#include "tools/ToolContext.h"

namespace quorvel::tools {

// install TARGET
int RunInstall(ToolContext& context, const std::vector<std::string>& args);

}  // namespace quorvel::tools
