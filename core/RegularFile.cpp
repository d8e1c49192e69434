#include "core/RegularFile.h"

#include <filesystem>
#include <system_error>

namespace quorvel {

bool IsRegularFile(const std::string& path) {
  std::error_code error;
  return std::filesystem::status(path, error).type() == std::filesystem::file_type::regular;
}

bool OpenRegularFile(const std::string& path, std::ifstream& in) {
  if (!IsRegularFile(path)) return false;
  in.open(path, std::ios::binary);
  return in.is_open();
}

}  // namespace quorvel
