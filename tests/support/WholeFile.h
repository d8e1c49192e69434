// The whole content of a file, for tests that look at what the program wrote.
#pragma once

#include <optional>
#include <string>

namespace quorvel::test {

// The bytes of the regular file `path`; nothing when it is not there or cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);

}  // namespace quorvel::test
