// The lookup commands: the entry list searches, one entry's list as the history makes it, the
// whole list, one entry's fields and its description document.
#pragma once

#include <string>
#include <vector>

#include "tools/ToolContext.h"

namespace quorvel::tools {

// list MODE [TEXT] [--greek] [--user-only] [--start S --contain C --end E]
int RunList(ToolContext& context, const std::vector<std::string>& args);
// specific SLOT [--greek]
int RunSpecific(ToolContext& context, const std::vector<std::string>& args);
// all
int RunAll(ToolContext& context, const std::vector<std::string>& args);
// entry SLOT
int RunEntry(ToolContext& context, const std::vector<std::string>& args);
// document SLOT
int RunDocument(ToolContext& context, const std::vector<std::string>& args);

// Prints a list, one line per item: the item's slot, TAB, its text.
void PrintList(ToolContext& context, const EntryList& list);

// The slot argument of a command: kExitOk with `slot` set for a slot that holds an entry,
// otherwise the reported error's exit status.
int EntrySlotArgument(ToolContext& context, const std::string& text, int& slot);

}  // namespace quorvel::tools
