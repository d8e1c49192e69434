// The quorvel-tools command line: the common options, the table of commands and the dispatch.
// A command is one row of the table in Commands.cpp: its name, its usage line and its handler.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/FileSystem.h"
#include "tools/ToolContext.h"

namespace quorvel::tools {

// Runs one command with the arguments after the common options. Returns the exit status.
using CommandHandler = int (*)(ToolContext& context, const std::vector<std::string>& args);

struct Command {
  std::string_view name;
  std::string_view usage;  // the command's line of the usage text, name included
  std::string_view help;   // what it does, for the usage text
  CommandHandler run;
};

const std::vector<Command>& CommandTable();

// The whole usage text.
std::string UsageText();

// Runs quorvel-tools with `args` (without the program name) in the current directory, which is
// the program folder. Relative file and folder arguments (--user-dir among them) are taken from
// `callerDir`, the folder the tool was called in; empty means the program folder itself. The user
// files are read through `fs`; every write goes through `writer`. Returns the exit status.
int RunTools(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
             FileSystem& fs, const std::string& callerDir = {});

}  // namespace quorvel::tools
