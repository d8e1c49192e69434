// Path helpers. Paths are native ("/"-separated) strings. The data files are named as the
// program has always named them ("Data" and "data" for one folder), so a path component that
// does not exist as spelled is matched case-insensitively against what is there.
#pragma once

#include <string>
#include <string_view>

#include "core/FileSystem.h"

namespace quorvel {

// `folder` + "/" + `name`, without doubling a separator that `folder` already ends with.
std::string JoinPath(std::string_view folder, std::string_view name);

// `path` with every component that does not exist as spelled replaced by the entry of its
// parent folder whose name matches it case-insensitively (ASCII), when there is one. Components
// after the first one that matches nothing are kept as spelled.
std::string ResolveCaseInsensitive(FileSystem& fs, const std::string& path);

// A regular file, or a folder, after case resolution.
bool FileExists(FileSystem& fs, const std::string& path);
bool DirectoryExists(FileSystem& fs, const std::string& path);

}  // namespace quorvel
