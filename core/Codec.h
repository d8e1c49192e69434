// The three reversible codings of stored dictionary text.
//
// - Mirror coding: each published index line, keyed by the line's ordinal in its file.
// - Position coding: the published description file, keyed by each byte's 1-based file position.
// - Shift coding: everything the user writes (user index lines, user descriptions), keyed by the
//   byte's position in the coded string, restarting at 1 for every string.
//
// All operations take code page 1253 bytes and return a new string. The "working length" of an
// input is the number of bytes before its first zero byte.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvel {

// r(c) = (c mod kPositionPeriod) + kPositionBase lies in 0..38, s(p) = (p mod kShiftPeriod) +
// kShiftBase in 1..222. Changing them makes every existing data file unreadable.
inline constexpr int64_t kPositionPeriod = 31;
inline constexpr int64_t kPositionBase = 7;
inline constexpr int64_t kShiftPeriod = 97;
inline constexpr int64_t kShiftBase = 13;

// Mirror coding; the result has the input's length. Bytes from the first zero byte on, and the
// last byte of an even working length (or the last two of an odd one), keep their values.
// Keys are 0-5, so text whose bytes are all 6 or more (every index line) never codes to a zero
// byte, and MirrorDecode(s, MirrorEncode(s, x)) == x for it.
std::string MirrorDecode(int64_t seed, std::string_view text);
// The same into `out` (its earlier content replaced), which keeps its memory from line to line.
// `text` must not overlap `out`.
void MirrorDecode(int64_t seed, std::string_view text, std::string& out);
std::string MirrorEncode(int64_t seed, std::string_view text);

// Position coding. `start` is the 1-based file position of text[0]. Decode stops at the first
// zero byte; encode codes every byte. PositionDecode(s, PositionEncode(s, x)) == x for bytes 10-217.
std::string PositionDecode(int64_t start, std::string_view text);
std::string PositionEncode(int64_t start, std::string_view text);

// Shift coding of one string (position count restarting at 1). Both stop at the first zero
// byte. ShiftDecode(ShiftEncode(x)) == x for bytes 32-254; an encoded string of such bytes
// never holds CR, LF or a zero byte.
std::string ShiftEncode(std::string_view text);
std::string ShiftDecode(std::string_view text);

}  // namespace quorvel
