#include "core/RegularFile.h"

#include <filesystem>
#include <system_error>

namespace quorvel {

FileState StateOf(const std::string& path) {
  if (path.empty()) return FileState::kMissing;
  std::error_code error;
  const std::filesystem::file_type type = std::filesystem::status(path, error).type();
  if (type == std::filesystem::file_type::not_found) return FileState::kMissing;
  return type == std::filesystem::file_type::regular ? FileState::kRegular : FileState::kUnreadable;
}

bool IsRegularFile(const std::string& path) { return StateOf(path) == FileState::kRegular; }

bool OpenRegularFile(const std::string& path, std::ifstream& in) {
  if (!IsRegularFile(path)) return false;
  in.open(path, std::ios::binary);
  return in.is_open();
}

}  // namespace quorvel
