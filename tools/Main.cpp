// quorvel-tools: the dictionary's developer, check, lookup, editing and dump commands.
#include <iostream>
#include <string>
#include <vector>

#include "platform/DurableFileWriter.h"
#include "platform/PosixFileSystem.h"
#include "tools/Commands.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  quorvel::PosixFileSystem fs;
  quorvel::DurableFileWriter writer;
  const int status = quorvel::tools::RunTools(args, std::cout, std::cerr, fs, writer);
  std::cout.flush();
  return status;
}
