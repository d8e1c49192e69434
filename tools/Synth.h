// Synthetic program folders: complete, realistic dictionary data of any size, deterministic for a
// seed, for the benchmarks, the tests and anyone who wants a dictionary to try the tools on.
#pragma once

#include <cstdint>
#include <string>

#include "core/FileSystem.h"
#include "core/Status.h"

namespace quorvel::tools {

struct SynthOptions {
  int entries = 23177;     // published English entries
  int greekTerms = 21500;  // published Greek terms
  int userEntries = 500;   // user entries (a tenth as many additions to published entries come with them)
  uint64_t seed = 1;
};

// Why `options` cannot be synthesised (the index's slot and number bounds), or ok.
Status CheckSynthOptions(const SynthOptions& options);

// Writes `programDir`/data/ with the three published files (coded as the program reads them) and
// the three user-entry files into `userDir` (created when missing). Existing files are replaced.
Status WriteSyntheticFolder(FileSystem& fs, const std::string& programDir, const std::string& userDir,
                            const SynthOptions& options);

}  // namespace quorvel::tools
