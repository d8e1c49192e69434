// Speed of the core on a full-size synthetic dictionary (23177 entries, 21500 Greek terms, 500
// user entries): the index load, the list searches that run at every keystroke, and a user
// entry insert without its flush to disk; and what an empty dictionary costs.
//
// Goals: load <= 20 ms; an empty dictionary made and destroyed <= 10 us; START with 3 letters
// <= 1 ms; START with 8 letters that match nothing until 1 is left <= 10 ms; CONTAIN with 4
// letters <= 5 ms; Greek START <= 1 ms; insert with 1000 user entries <= 30 ms.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <unistd.h>

#include "core/Cp1253.h"
#include "core/EntryIndex.h"
#include "core/ListSearch.h"
#include "core/Locations.h"
#include "core/UserEntryStore.h"
#include "platform/PosixFileSystem.h"
#include "tools/Synth.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;

fs::path BenchRoot() {
  return fs::temp_directory_path() / ("quorvel-core-bench-" + std::to_string(getpid()));
}

// One synthetic program folder, written on first use and loaded once.
struct SynthFolder {
  explicit SynthFolder(int userEntries) {
    dir = BenchRoot() / ("user" + std::to_string(userEntries));
    tools::SynthOptions options;
    options.userEntries = userEntries;
    PosixFileSystem fileSystem{PosixFileSystem::Durability::kUnflushed};
    const Status status = tools::WriteSyntheticFolder(fileSystem, dir.string(), (dir / "data").string(), options);
    if (!status.ok()) throw std::runtime_error(status.message());
    locations.ProgramDir = dir.string() + "/";
    SetUserFilePaths(locations, (dir / "data").string());
    dictionary = std::make_unique<Dictionary>();
    LoadEntryIndex(*dictionary, locations, fileSystem);
  }

  fs::path dir;
  Locations locations;
  std::unique_ptr<Dictionary> dictionary;
};

SynthFolder& FullSize() {
  static SynthFolder folder(500);
  return folder;
}

void BM_LoadEntryIndex(benchmark::State& state) {
  SynthFolder& folder = FullSize();
  PosixFileSystem fileSystem{PosixFileSystem::Durability::kUnflushed};
  Dictionary dictionary;
  for (auto _ : state) {
    LoadEntryIndex(dictionary, folder.locations, fileSystem);
    benchmark::DoNotOptimize(dictionary.englishCount);
  }
  state.counters["entries"] = dictionary.englishCount;
  state.counters["terms"] = dictionary.greekCount;
}
BENCHMARK(BM_LoadEntryIndex)->Unit(benchmark::kMillisecond);

// What `quorvel-tools list START ship` does besides starting: a new dictionary, the load, the
// search (which folds the candidates it reads) and the dictionary's destruction.
void BM_NewDictionaryLoadAndSearch(benchmark::State& state) {
  SynthFolder& folder = FullSize();
  PosixFileSystem fileSystem{PosixFileSystem::Durability::kUnflushed};
  SearchRequest request;
  request.text = "ship";
  size_t items = 0;
  for (auto _ : state) {
    auto dictionary = std::make_unique<Dictionary>();
    LoadEntryIndex(*dictionary, folder.locations, fileSystem);
    items = FillEntryList(*dictionary, request).items.size();
    benchmark::DoNotOptimize(items);
  }
  state.counters["items"] = static_cast<double>(items);
}
BENCHMARK(BM_NewDictionaryLoadAndSearch)->Unit(benchmark::kMillisecond);

// A dictionary that nothing is loaded into (a program folder without data) costs next to nothing.
void BM_EmptyDictionary(benchmark::State& state) {
  for (auto _ : state) {
    auto dictionary = std::make_unique<Dictionary>();
    benchmark::DoNotOptimize(dictionary->EnglishIndex[1].Number);
  }
}
BENCHMARK(BM_EmptyDictionary)->Unit(benchmark::kMicrosecond);

void RunSearch(benchmark::State& state, const std::string& text, SearchMode mode, bool greek) {
  const Dictionary& d = *FullSize().dictionary;
  SearchRequest request;
  request.mode = mode;
  request.text = text;
  request.greek = greek;
  size_t items = 0;
  for (auto _ : state) {
    const EntryList list = FillEntryList(d, request);
    items = list.items.size();
    benchmark::DoNotOptimize(items);
  }
  state.counters["items"] = static_cast<double>(items);
}

// A 3-letter prefix that real typing gives: the start of the middle entry's headword.
void BM_StartThreeLetters(benchmark::State& state) {
  const Dictionary& d = *FullSize().dictionary;
  RunSearch(state, d.englishCandidate[static_cast<size_t>(d.englishCount / 2)].substr(0, 3), SearchMode::Start, false);
}
BENCHMARK(BM_StartThreeLetters)->Unit(benchmark::kMicrosecond);

// The worst prefix search: 8 letters from "a", the first letter's range starting at slot 1,
// of which no prefix longer than one letter matches, so the scan runs 8 times.
void BM_StartEightLettersMatchingOne(benchmark::State& state) {
  const Dictionary& d = *FullSize().dictionary;
  std::string key;
  for (char second = 'a'; second <= 'z' && key.empty(); ++second) {
    bool found = false;
    for (int slot = 1; slot <= d.englishCount && !found; ++slot) {
      const std::string& c = d.englishCandidate[static_cast<size_t>(slot)];
      const size_t start = d.EnglishIndex[static_cast<size_t>(slot)].KeyStart > 1 ? d.EnglishIndex[static_cast<size_t>(slot)].KeyStart - 1u : 0u;
      found = c.size() >= start + 2 && c[start] == 'a' && c[start + 1] == second;
    }
    if (!found) key = std::string("a") + std::string(7, second);
  }
  if (key.empty()) {
    state.SkipWithError("every two-letter prefix from a is used");
    return;
  }
  state.SetLabel(key);
  RunSearch(state, key, SearchMode::Start, false);
}
BENCHMARK(BM_StartEightLettersMatchingOne)->Unit(benchmark::kMicrosecond);

void BM_ContainFourLetters(benchmark::State& state) {
  RunSearch(state, "rope", SearchMode::Contain, false);
}
BENCHMARK(BM_ContainFourLetters)->Unit(benchmark::kMicrosecond);

void BM_GreekStart(benchmark::State& state) {
  RunSearch(state, Utf8ToCp1253("σκά"), SearchMode::Start, true);
}
BENCHMARK(BM_GreekStart)->Unit(benchmark::kMicrosecond);

// An insert into a store of 1000 user entries, with a writer that does not flush to disk. The
// user files are put back after every insert, so that each one meets the same store.
void BM_InsertUserEntry(benchmark::State& state) {
  static SynthFolder folder(1000);
  const fs::path data = folder.dir / "data";
  const fs::path saved = folder.dir / "saved";
  fs::create_directories(saved);
  for (const char* name : {"QuorvelC.tbo", "QuorvelIC.tbo", "QuorvelHIC.tbo"}) {
    fs::copy_file(data / name, saved / name, fs::copy_options::overwrite_existing);
  }
  PosixFileSystem fileSystem{PosixFileSystem::Durability::kUnflushed};
  const NewEntryTexts texts{"main engine bedplate", Utf8ToCp1253("βάση κύριας μηχανής"),
                            Utf8ToCp1253("Η βάση της μηχανής.\r\nΔεύτερη γραμμή.")};
  for (auto _ : state) {
    const Status status = InsertUserEntry(*folder.dictionary, folder.locations, fileSystem, texts);
    if (!status.ok()) {
      state.SkipWithError(status.message().c_str());
      break;
    }
    state.PauseTiming();
    for (const char* name : {"QuorvelC.tbo", "QuorvelIC.tbo", "QuorvelHIC.tbo"}) {
      fs::copy_file(saved / name, data / name, fs::copy_options::overwrite_existing);
    }
    state.ResumeTiming();
  }
}
BENCHMARK(BM_InsertUserEntry)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvel

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code error;
  std::filesystem::remove_all(quorvel::BenchRoot(), error);
  return 0;
}
