// The description search on a synthetic dictionary of full size: the first search (every
// description read, decoded and turned into plain text, on every core and on one), the first
// search in the other language, and a repeated search on the kept texts, with the memory the
// kept texts take and the process's resident memory; and with the word index: building it,
// finding and opening its cache file, and a search answered from it.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "core/Cp1253.h"
#include "core/DescriptionFile.h"
#include "core/DescriptionSearch.h"
#include "core/EntryIndex.h"
#include "core/Locations.h"
#include "core/Session.h"
#include "core/WordIndexCache.h"
#include "platform/PosixFileSystem.h"
#include "richtext/RtfReader.h"
#include "tools/Synth.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;

// The resident memory of this process in KiB.
long ResidentKiB() {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == "VmRSS:") {
      long kib = 0;
      status >> kib;
      return kib;
    }
  }
  return 0;
}

struct Folder {
  Folder() {
    root = fs::temp_directory_path() / ("quorvel-search-bench-" + std::to_string(std::random_device{}()));
    const Status status = tools::WriteSyntheticFolder(fileSystem, root.string() + "/", (root / "user").string(), {});
    if (!status.ok()) throw std::runtime_error(status.message());
    locations.ProgramDir = root.string() + "/";
    SetUserFilePaths(locations, (root / "user").string());
    LoadEntryIndex(*dictionary, locations, fileSystem);
    header = ReadRtfHeader(fileSystem, locations.DescriptionFile());
  }
  ~Folder() { fs::remove_all(root); }

  fs::path root;
  PosixFileSystem fileSystem{PosixFileSystem::Durability::kUnflushed};
  Locations locations;
  std::unique_ptr<Dictionary> dictionary = std::make_unique<Dictionary>();
  std::string header;
};

Folder& SharedFolder() {
  static Folder folder;
  return folder;
}

DescriptionSearch NewSearch(int threads = 0) {
  return DescriptionSearch([](std::string_view rtf) { return richtext::RtfToPlainText(rtf); }, threads);
}

// The first search of a load in one language: every description read, decoded, turned into
// text and folded. Argument: the number of threads (0: one per core).
void FirstSearch(benchmark::State& state, const std::string& word) {
  Folder& f = SharedFolder();
  for (auto _ : state) {
    DescriptionSearch search = NewSearch(static_cast<int>(state.range(0)));
    EntryList list;
    (void)search.Search(f.fileSystem, *f.dictionary, f.locations, f.header, word, list);
    state.counters["kept_MiB"] = static_cast<double>(search.KeptBytes()) / (1024.0 * 1024.0);
    state.counters["rss_MiB"] = static_cast<double>(ResidentKiB()) / 1024.0;
    state.counters["hits"] = static_cast<double>(list.items.size());
  }
}

void BM_FirstSearch(benchmark::State& state) { FirstSearch(state, "anchor"); }
BENCHMARK(BM_FirstSearch)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime()->MeasureProcessCPUTime();

void BM_FirstGreekSearch(benchmark::State& state) { FirstSearch(state, Utf8ToCp1253("πλοίο")); }
BENCHMARK(BM_FirstGreekSearch)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime()->MeasureProcessCPUTime();

// An English search, then the first Greek one: the Greek texts are made from the kept ones.
void BM_FirstSearchInTheOtherLanguage(benchmark::State& state) {
  Folder& f = SharedFolder();
  const std::string greekWord = Utf8ToCp1253("πλοίο");
  for (auto _ : state) {
    state.PauseTiming();
    DescriptionSearch search = NewSearch();
    EntryList list;
    (void)search.Search(f.fileSystem, *f.dictionary, f.locations, f.header, "anchor", list);
    state.ResumeTiming();
    (void)search.Search(f.fileSystem, *f.dictionary, f.locations, f.header, greekWord, list);
    state.counters["kept_MiB"] = static_cast<double>(search.KeptBytes()) / (1024.0 * 1024.0);
  }
}
BENCHMARK(BM_FirstSearchInTheOtherLanguage)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime()->MeasureProcessCPUTime();

void BM_RepeatedSearch(benchmark::State& state) {
  Folder& f = SharedFolder();
  DescriptionSearch search = NewSearch();
  EntryList list;
  const std::string greekWord = Utf8ToCp1253("πλοίο");
  (void)search.Search(f.fileSystem, *f.dictionary, f.locations, f.header, "anchor", list);
  (void)search.Search(f.fileSystem, *f.dictionary, f.locations, f.header, greekWord, list);
  bool greek = false;
  for (auto _ : state) {
    (void)search.Search(f.fileSystem, *f.dictionary, f.locations, f.header, greek ? greekWord : "hull", list);
    greek = !greek;
  }
  state.counters["hits"] = static_cast<double>(list.items.size());
  state.counters["kept_MiB"] = static_cast<double>(search.KeptBytes()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_RepeatedSearch)->Unit(benchmark::kMillisecond);

// What a build of the word index needs, from a session on the shared folder; its cache in
// the folder's own "cache".
struct IndexInputs {
  IndexInputs() : session(SharedFolder().locations, fileSystem, Converter()) {
    session.Reload();
    inputs = *session.WordIndexInputsFor((SharedFolder().root / "cache").string());
  }
  static PlainTextConverter Converter() {
    return [](std::string_view rtf) { return richtext::RtfToPlainText(rtf); };
  }
  PosixFileSystem fileSystem{PosixFileSystem::Durability::kUnflushed};
  Session session;
  WordIndexInputs inputs;
};

IndexInputs& SharedInputs() {
  static IndexInputs inputs;
  return inputs;
}

// Building the index from every description and writing its cache file (all cores).
void BM_WordIndexBuild(benchmark::State& state) {
  IndexInputs& in = SharedInputs();
  for (auto _ : state) {
    fs::remove_all(in.inputs.cacheFolder);
    const WordIndexOutcome outcome = OpenWordIndex(in.inputs, in.fileSystem);
    if (!outcome.index) state.SkipWithError(outcome.status.message().c_str());
  }
}
BENCHMARK(BM_WordIndexBuild)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime()->MeasureProcessCPUTime();

// Finding the cache file by the published files' stamps and opening it, as a run does at start:
// for its blocks (quorvel-tools), and whole (argument 1).
void BM_WordIndexOpen(benchmark::State& state) {
  IndexInputs& in = SharedInputs();
  WordIndexInputs inputs = in.inputs;
  inputs.inMemory = state.range(0) != 0;
  if (!OpenWordIndex(inputs, in.fileSystem).index) state.SkipWithError("no index");
  for (auto _ : state) {
    const WordIndexOutcome outcome = OpenWordIndex(inputs, in.fileSystem);
    if (!outcome.index || outcome.built) state.SkipWithError("the cache was not found");
  }
}
BENCHMARK(BM_WordIndexOpen)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A search answered from an adopted index: the published entries from the index, the 500 user
// entries and 50 additions read and converted.
void BM_WordIndexSearch(benchmark::State& state) {
  IndexInputs& in = SharedInputs();
  const WordIndexOutcome outcome = OpenWordIndex(in.inputs, in.fileSystem);
  if (!in.session.AdoptWordIndex(outcome.index)) state.SkipWithError("no index");
  const std::string greekWord = Utf8ToCp1253("πλοίο");
  bool greek = false;
  EntryList list;
  for (auto _ : state) {
    (void)in.session.SearchDescriptions(greek ? greekWord : "ship", list);
    greek = !greek;
  }
  state.counters["hits"] = static_cast<double>(list.items.size());
}
BENCHMARK(BM_WordIndexSearch)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace quorvel

BENCHMARK_MAIN();
