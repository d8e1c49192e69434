#include "tools/ToolFolder.h"

#include <filesystem>
#include <system_error>

#include "core/Paths.h"

namespace quorvel::tools {
namespace {

bool HoldsDataFolder(FileSystem& fs, const std::string& folder) { return DirectoryExists(fs, JoinPath(folder, "data")); }

}  // namespace

std::string ChooseToolFolder(FileSystem& fs, const std::string& currentDir, const std::string& ownFolder) {
  if (HoldsDataFolder(fs, currentDir) || ownFolder.empty() || !HoldsDataFolder(fs, ownFolder)) return currentDir;
  return ownFolder;
}

std::string OwnProgramFolder() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : program.parent_path().string();
}

}  // namespace quorvel::tools
