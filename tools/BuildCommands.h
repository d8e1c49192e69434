// The data-build commands of quorvel-tools (build, check, byterange) and the rich-text ones
// (descsearch, text, rtf-text, rtf-save).
#pragma once

#include <string>
#include <vector>

#include "tools/ToolContext.h"

namespace quorvel::tools {

// build: the published data files from utils/Docs/OLO2.tbo and Greek.txt.
int RunBuild(ToolContext& context, const std::vector<std::string>& args);
// check: every published description loads as RTF.
int RunCheck(ToolContext& context, const std::vector<std::string>& args);
// byterange: the smallest and largest byte of data/igr_.tbo.
int RunByteRange(ToolContext& context, const std::vector<std::string>& args);

// descsearch WORD [--scan]: the whole-word search in every description, answered from the word
// index (found in the cache or built and kept there) unless --scan reads every description.
int RunDescSearch(ToolContext& context, const std::vector<std::string>& args);
// text SLOT: the plain text of the entry's description document.
int RunText(ToolContext& context, const std::vector<std::string>& args);
// rtf-text FILE: the plain text of an RTF file.
int RunRtfText(ToolContext& context, const std::vector<std::string>& args);
// rtf-save FILE: the engine's RTF save of an RTF file.
int RunRtfSave(ToolContext& context, const std::vector<std::string>& args);

}  // namespace quorvel::tools
