#include "core/Paths.h"

#include <filesystem>
#include <system_error>

#include "core/TextOps.h"

namespace fs = std::filesystem;

namespace quorvel {

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!path.empty() && path.back() != '/') path += '/';
  path += name;
  return path;
}

std::string ResolveCaseInsensitive(const std::string& path) {
  std::error_code error;
  if (path.empty() || fs::exists(path, error)) return path;
  const fs::path input(path);
  fs::path resolved = input.root_path();
  bool matching = true;
  for (const fs::path& part : input.relative_path()) {
    fs::path candidate = resolved / part;
    if (matching && !fs::exists(candidate, error)) {
      matching = false;
      const fs::path parent = resolved.empty() ? fs::path(".") : resolved;
      const std::string wanted = AsciiLower(part.string());
      for (fs::directory_iterator it(parent, error), end; !error && it != end; it.increment(error)) {
        if (AsciiLower(it->path().filename().string()) == wanted) {
          candidate = resolved / it->path().filename();
          matching = true;
          break;
        }
      }
    }
    resolved = candidate;
  }
  return resolved.string();
}

bool FileExists(const std::string& path) {
  std::error_code error;
  return fs::is_regular_file(ResolveCaseInsensitive(path), error);
}

bool DirectoryExists(const std::string& path) {
  std::error_code error;
  return fs::is_directory(ResolveCaseInsensitive(path), error);
}

}  // namespace quorvel
