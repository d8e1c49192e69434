// What the index and store fuzz targets share: the fuzz input cut into the contents of a
// program folder's files, written into one folder per process that every run reuses.
//
// Input layout: one flag byte, then the parts separated by kPartSeparator, in the order of
// FolderFile. A part that is absent removes its file. When flag bit 0 is set the parts are
// plain text and are coded here as the program stores them (index lines by line ordinal or
// per line, the published descriptions by file position, each user description, one per
// input line, on its own), so that the loader sees structurally valid lines as well as garbage.
// An empty part for a temporary file removes it unless flag bit 7 is set (then it is left
// behind empty, as an interrupted rewrite leaves it).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

#include "core/Codec.h"
#include "core/Locations.h"

namespace quorvel::fuzz {

inline constexpr std::string_view kPartSeparator = "\n@@@@\n";

enum FolderFile {
  kEnglishIndex,  // data/QuorvelI.tbo
  kGreekIndex,    // data/QuorvelHI.tbo
  kDescriptions,  // data/Quorvel.tbo
  kUserIndex,     // user/QuorvelIC.tbo
  kUserGreek,     // user/QuorvelHIC.tbo
  kUserDescr,     // user/QuorvelC.tbo
  kTempIndex,     // user/tempi.tbo
  kTempDescr,     // user/templex.tbo
  kTempGreek,     // user/tempigr.tbo
  kFolderFiles
};

struct FuzzInput {
  uint8_t flags = 0;
  std::vector<std::string> parts;  // the folder files' parts, then any further parts
  bool Has(size_t i) const { return i < parts.size(); }
  std::string Part(size_t i) const { return Has(i) ? parts[i] : std::string(); }
};

inline FuzzInput SplitInput(const uint8_t* data, size_t size) {
  FuzzInput in;
  if (size == 0) return in;
  in.flags = data[0];
  const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  size_t from = 0;
  while (true) {
    const size_t at = rest.find(kPartSeparator, from);
    if (at == std::string_view::npos) {
      in.parts.emplace_back(rest.substr(from));
      break;
    }
    in.parts.emplace_back(rest.substr(from, at - from));
    from = at + kPartSeparator.size();
  }
  return in;
}

inline std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  size_t from = 0;
  while (from < text.size()) {
    size_t end = text.find('\n', from);
    if (end == std::string_view::npos) end = text.size();
    std::string line(text.substr(from, end - from));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    from = end + 1;
  }
  return lines;
}

inline std::string CodePart(FolderFile f, const std::string& plain) {
  std::string out;
  switch (f) {
    case kDescriptions:
      return PositionEncode(1, plain);
    case kUserDescr:
    case kTempDescr:
      for (const std::string& d : Lines(plain)) out += ShiftEncode(d);
      return out;
    case kEnglishIndex:
    case kGreekIndex: {
      int64_t n = 0;
      for (const std::string& line : Lines(plain)) out += MirrorEncode(++n, line) + "\r\n";
      return out;
    }
    default:
      for (const std::string& line : Lines(plain)) out += ShiftEncode(line) + "\r\n";
      return out;
  }
}

// The per-process program folder: <tmp>/quorvel-fuzz-<pid>/ with data/ and user/.
inline const Locations& FolderLocations() {
  static const Locations locations = [] {
    const std::filesystem::path root = std::filesystem::temp_directory_path() /
                                       ("quorvel-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(root / "data");
    std::filesystem::create_directories(root / "user");
    Locations l;
    l.ProgramDir = root.string() + "/";
    SetUserFilePaths(l, (root / "user").string());
    return l;
  }();
  return locations;
}

inline std::string FolderPath(FolderFile f) {
  const Locations& l = FolderLocations();
  switch (f) {
    case kEnglishIndex: return l.EnglishIndexFile();
    case kGreekIndex: return l.GreekIndexFile();
    case kDescriptions: return l.DescriptionFile();
    case kUserIndex: return l.UserIndexFile;
    case kUserGreek: return l.UserGreekFile;
    case kUserDescr: return l.UserDescrFile;
    case kTempIndex: return l.TempIndexFile;
    case kTempDescr: return l.TempDescrFile;
    default: return l.TempGreekFile;
  }
}

inline void WriteBytes(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "\x01<missing>";  // cannot be the content of a file
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Writes (or removes) the folder's files from the input.
inline void WriteFolder(const FuzzInput& in) {
  const bool code = (in.flags & 1) != 0;
  for (int f = 0; f < kFolderFiles; ++f) {
    const std::string path = FolderPath(static_cast<FolderFile>(f));
    const bool temporary = f >= kTempIndex;
    if (!in.Has(static_cast<size_t>(f)) ||
        (temporary && in.parts[static_cast<size_t>(f)].empty() && (in.flags & 0x80) == 0)) {
      std::remove(path.c_str());
      continue;
    }
    const std::string& part = in.parts[static_cast<size_t>(f)];
    WriteBytes(path, code ? CodePart(static_cast<FolderFile>(f), part) : part);
  }
}

}  // namespace quorvel::fuzz
