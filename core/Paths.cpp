#include "core/Paths.h"

#include <vector>

#include "core/TextOps.h"

namespace quorvel {
namespace {

// The name in `folder` that matches `wanted` case-insensitively; empty when none does.
std::string MatchIn(FileSystem& fs, const std::string& folder, std::string_view wanted) {
  std::vector<std::string> names;
  if (!fs.ListFolder(folder.empty() ? "." : folder, names).ok()) return {};
  const std::string lower = AsciiLower(wanted);
  for (const std::string& name : names) {
    if (AsciiLower(name) == lower) return name;
  }
  return {};
}

}  // namespace

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!path.empty() && path.back() != '/') path += '/';
  path += name;
  return path;
}

std::string ResolveCaseInsensitive(FileSystem& fs, const std::string& path) {
  if (path.empty() || fs.Kind(path) != FileKind::kMissing) return path;
  std::string resolved = path.front() == '/' ? "/" : "";
  bool matching = true;
  size_t start = resolved.size();
  while (start <= path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    const std::string_view part = std::string_view(path).substr(start, end - start);
    start = end + 1;
    if (part.empty()) continue;
    const std::string parent = resolved;
    std::string candidate = JoinPath(parent, part);
    if (parent.empty()) candidate = std::string(part);
    if (matching && fs.Kind(candidate) == FileKind::kMissing) {
      const std::string name = MatchIn(fs, parent, part);
      matching = !name.empty();
      if (matching) candidate = parent.empty() ? name : JoinPath(parent, name);
    }
    resolved = candidate;
  }
  if (path.back() == '/' && resolved.back() != '/') resolved += '/';
  return resolved;
}

bool FileExists(FileSystem& fs, const std::string& path) {
  return fs.Kind(ResolveCaseInsensitive(fs, path)) == FileKind::kRegular;
}

bool DirectoryExists(FileSystem& fs, const std::string& path) {
  return fs.Kind(ResolveCaseInsensitive(fs, path)) == FileKind::kFolder;
}

}  // namespace quorvel
