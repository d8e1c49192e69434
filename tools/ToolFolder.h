// Which program folder quorvel-tools works in. Called in a program folder (one holding "data",
// in any letter case) it works there; called from anywhere else it works in the program folder
// its own program file lies in, such as /opt/orvanta for the command on the PATH, when that one
// holds "data". Relative path arguments keep meaning the caller's folder (see
// ToolContext::PathArgument).
#pragma once

#include <string>

#include "core/FileSystem.h"

namespace quorvel::tools {

// The folder to work in: `currentDir` when it holds a data folder, else `ownFolder` when that
// holds one, else `currentDir` (whose missing files the commands then report).
std::string ChooseToolFolder(FileSystem& fs, const std::string& currentDir, const std::string& ownFolder);

// The folder of the running program file, symbolic links resolved (Linux's /proc/self/exe);
// empty when it cannot be read.
std::string OwnProgramFolder();

}  // namespace quorvel::tools
