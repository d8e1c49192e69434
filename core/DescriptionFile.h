// The two low-level reads of description files: the common header of the published
// description file, and one stored description (published or the user's).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/FileSystem.h"

namespace quorvel {

inline constexpr int kHeaderBlockSize = 511;
inline constexpr int kDescriptionBufferSize = 31000;

// How a description file is coded: the published file by file position, the user's file by
// the shift coding of each description.
enum class DescriptionCoding { Position, Shift };

// "{" followed by the header block of the published description file decoded up to its first
// zero byte; empty when the file is missing, unreadable or no regular file.
std::string ReadRtfHeader(FileSystem& fs, const std::string& descriptionFile);

// `length` decoded bytes of `file` from the 0-based byte `position` (at most
// kDescriptionBufferSize bytes are read; a longer length is cut there). Decoding stops at the
// first zero byte read. Nothing when the file is no regular file or cannot be opened, the
// position is negative, or the file ends before the bytes asked for.
std::optional<std::string> ReadDescriptionText(FileSystem& fs, const std::string& file, int64_t position,
                                               int64_t length, DescriptionCoding coding);

// The same read from `fileBytes`, the whole content of a description file kept in memory.
std::optional<std::string> DescriptionFromBytes(std::string_view fileBytes, int64_t position,
                                                int64_t length, DescriptionCoding coding);

}  // namespace quorvel
