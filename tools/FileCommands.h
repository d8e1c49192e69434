// The file commands: coding plain index and description files as the published files are
// coded, printing the decoded contents of the dictionary's files, and writing a synthetic
// program folder.
#pragma once

#include <string>
#include <vector>

#include "tools/ToolContext.h"

namespace quorvel::tools {

// encode-index PLAIN CODED
int RunEncodeIndex(ToolContext& context, const std::vector<std::string>& args);
// encode-descriptions PLAIN CODED
int RunEncodeDescriptions(ToolContext& context, const std::vector<std::string>& args);
// dump WHAT
int RunDump(ToolContext& context, const std::vector<std::string>& args);
// synth DIR [--entries N] [--greek M] [--user K] [--seed S]
int RunSynth(ToolContext& context, const std::vector<std::string>& args);

}  // namespace quorvel::tools
