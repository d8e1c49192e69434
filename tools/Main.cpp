// quorvel-tools: the dictionary's developer, check, lookup, editing and dump commands.
#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "platform/PosixFileSystem.h"
#include "tools/Commands.h"
#include "tools/ToolFolder.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  // Called outside a program folder, the tool works in its own (an unreadable current directory
  // is left for RunTools to report).
  quorvel::PosixFileSystem fs;
  std::error_code error;
  const std::string callerDir = std::filesystem::current_path(error).string();
  if (!error) {
    const std::string folder = quorvel::tools::ChooseToolFolder(fs, callerDir, quorvel::tools::OwnProgramFolder());
    if (folder != callerDir && ::chdir(folder.c_str()) != 0) {
      std::cerr << "quorvel-tools: cannot enter the program folder " << folder << '\n';
      return quorvel::tools::kExitFailure;
    }
  }
  const int status = quorvel::tools::RunTools(args, std::cout, std::cerr, fs, callerDir);
  std::cout.flush();
  return status;
}
