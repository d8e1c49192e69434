// Fuzz target of the two readers of the dictionary's sources: the sample dictionary's record
// parser and compiler, and the data build's reading of utils/Docs/OLO2.tbo and Greek.txt.
// Input: one flag byte, then the record text, OLO2.tbo and Greek.txt separated by
// kPartSeparator. With flag bit 0 set, OLO2.tbo's first line is padded or cut to the header
// length the build needs, so that the build goes on to the entry lines.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "fuzz/FuzzFolder.h"
#include "maintenance/DataBuild.h"
#include "platform/PosixFileSystem.h"
#include "tools/sample/dictc/DictCompile.h"
#include "tools/sample/dictc/DictSource.h"

using namespace quorvel;

namespace {

const std::string& BuildFolder() {
  static const std::string dir = [] {
    const std::filesystem::path root = std::filesystem::temp_directory_path() /
                                       ("quorvel-fuzz-build-" + std::to_string(::getpid()));
    std::filesystem::create_directories(root / "utils" / "Docs");
    std::filesystem::create_directories(root / "data");
    return root.string() + "/";
  }();
  return dir;
}

std::string WithHeaderLength(std::string olo) {
  size_t end = olo.find("\r\n");
  if (end == std::string::npos) end = olo.size();
  std::string header = olo.substr(0, end);
  header.resize(maintenance::kBuildHeaderLength, ' ');
  return header + (end < olo.size() ? olo.substr(end) : std::string("\r\n"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzz::FuzzInput in = fuzz::SplitInput(data, size);

  const dictc::LoadedSource source = dictc::ParseSourceText(in.Part(0), "fuzz.txt");
  if (source.error.empty()) {
    const dictc::CompiledDictionary compiled = dictc::Compile(source.records);
    if (compiled.error.empty() && compiled.entries.size() > source.records.size()) std::abort();
  }

  if (!in.Has(1)) return 0;
  const std::string& dir = BuildFolder();
  std::string olo = in.Part(1);
  if (in.flags & 1) olo = WithHeaderLength(olo);
  fuzz::WriteBytes(dir + "utils/Docs/OLO2.tbo", olo);
  if (in.Has(2)) {
    fuzz::WriteBytes(dir + "utils/Docs/Greek.txt", in.Part(2));
  } else {
    std::filesystem::remove(dir + "utils/Docs/Greek.txt");
  }
  const maintenance::MessageSink quiet = [](const std::string&) {};
  // A build that wrote entries gives published files that load (a build of none does not).
  PosixFileSystem fs;
  if (maintenance::BuildDataFiles(fs, dir, quiet) && !fuzz::ReadBytes(dir + "data/QuorvelI_un.tbo").empty()) {
    if (maintenance::CheckAllDescriptions(fs, dir, quiet) < 0) std::abort();
  }
  return 0;
}
