// The word index against the scan it stands in for: in process over the sample dictionary (every
// word of every description) and a synthetic dictionary of full size (a sample of its words),
// and the real quorvel-tools with its cache file killed mid-write, cut short, damaged and made
// stale: the answer is always the scan's.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/Cp1253.h"
#include "core/EntryDocument.h"
#include "core/LineReader.h"
#include "core/SearchKey.h"
#include "core/Session.h"
#include "core/TextOps.h"
#include "core/WordIndexCache.h"
#include "platform/PosixFileSystem.h"
#include "richtext/RtfReader.h"
#include "tests/support/DictionaryFixture.h"
#include "tools/Synth.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/WholeFile.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;

PlainTextConverter Converter() {
  return [](std::string_view rtf) { return richtext::RtfToPlainText(rtf); };
}

// Two sessions on one program folder: one that reads every description, one that answers from
// the word index (built into `cacheFolder`).
class TwoSessions {
 public:
  TwoSessions(const Locations& locations, const std::string& cacheFolder)
      : scan_(locations, fs_, Converter()), indexed_(locations, fs_, Converter()) {
    scan_.Reload();
    indexed_.Reload();
    const std::optional<WordIndexInputs> inputs = indexed_.WordIndexInputsFor(cacheFolder);
    EXPECT_TRUE(inputs);
    if (!inputs) return;
    const WordIndexOutcome outcome = OpenWordIndex(*inputs, fs_);
    EXPECT_TRUE(outcome.status.ok()) << outcome.status.message();
    EXPECT_TRUE(indexed_.AdoptWordIndex(outcome.index));
  }

  // Searches `word` in both and expects the same list, language, search text and status.
  void Compare(const std::string& word) {
    EntryList expected;
    EntryList got;
    const Status scanned = scan_.SearchDescriptions(word, expected);
    const Status answered = indexed_.SearchDescriptions(word, got);
    ASSERT_EQ(got.items.size(), expected.items.size()) << Cp1253ToUtf8(word);
    for (size_t i = 0; i < got.items.size(); ++i) {
      EXPECT_EQ(got.items[i].slot, expected.items[i].slot) << Cp1253ToUtf8(word);
      EXPECT_EQ(got.items[i].text, expected.items[i].text) << Cp1253ToUtf8(word);
    }
    EXPECT_EQ(got.greek, expected.greek);
    EXPECT_EQ(got.searchText, expected.searchText);
    EXPECT_EQ(answered.code(), scanned.code()) << Cp1253ToUtf8(word);
    EXPECT_EQ(answered.message(), scanned.message());
    ++compared_;
    found_ += !got.items.empty();
  }

  // The whole words of the folded texts of the entries at `slots`, as typed in a search: each
  // word, its capitals, and words that are not there or are no single word.
  std::set<std::string> WordsOf(const std::vector<int>& slots) {
    std::set<std::string> words;
    const Dictionary& d = scan_.dictionary();
    for (const int slot : slots) {
      const auto document = BuildDescriptionDocument(fs_, d, scan_.readLocations(), scan_.rtfHeader(), slot);
      if (!document) continue;
      const std::string english = EnglishSearchText(Converter(), *document);
      for (const std::string& text : {english, GreekSearchText(english)}) {
        ForEachWholeWord(text, [&](std::string_view w) { words.emplace(w); });
      }
    }
    std::set<std::string> variants;
    for (const std::string& w : words) {
      std::string upper = w;
      for (char& c : upper) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
      variants.insert({upper, w + "q", w.substr(0, w.size() / 2 + 1), " " + w, w + " ", w + "-x"});
    }
    words.merge(variants);
    return words;
  }

  const Dictionary& dictionary() const { return scan_.dictionary(); }
  int compared() const { return compared_; }
  int found() const { return found_; }

 private:
  PosixFileSystem fs_;
  Session scan_;
  Session indexed_;
  int compared_ = 0;
  int found_ = 0;
};

TEST(WordIndexDifferential, EveryWordOfTheSampleDictionary) {
  test::DictionaryFixture fixture;
  for (const char* name : {"Quorvel.tbo", "QuorvelI.tbo", "QuorvelHI.tbo"}) {
    fixture.WriteFile(std::string("data/") + name, *test::ReadWholeFile(std::string(QUORVEL_SAMPLE_DIR) + "/data/" + name));
  }
  // User entries and additions, some with words of the published texts, some with their own.
  fixture.WriteUserEntries({{3, 3, "", "{shipping ship " + Utf8ToCp1253("σκάφος") + "}"},
                            {10, 600, "own ship", "{my own hull, " + Utf8ToCp1253("δικό μου") + "}"},
                            {40, 40, "", "{\\b anchor} windlass}"},
                            {200, 601, "zeta", "{only here: quorvelword}"}});
  TwoSessions sessions(fixture.locations(), fixture.programDir() + "cache");
  std::vector<int> slots;
  for (int slot = 1; slot <= sessions.dictionary().englishCount; ++slot) slots.push_back(slot);
  ASSERT_GT(slots.size(), 500u);
  for (const std::string& word : sessions.WordsOf(slots)) sessions.Compare(word);
  std::cout << "[word index] sample dictionary: " << sessions.compared() << " words compared, "
            << sessions.found() << " found in some description\n";
  EXPECT_GT(sessions.found(), 1000);
}

TEST(WordIndexDifferential, SampledWordsOfAFullSizeDictionary) {
  const fs::path dir = fs::temp_directory_path() / ("quorvel-wordindex-full-" + std::to_string(getpid()));
  fs::remove_all(dir);
  PosixFileSystem synthDisk(PosixFileSystem::Durability::kUnflushed);
  ASSERT_TRUE(tools::WriteSyntheticFolder(synthDisk, dir.string() + "/", (dir / "user").string(), {}).ok());
  Locations locations;
  locations.ProgramDir = dir.string() + "/";
  SetUserFilePaths(locations, (dir / "user").string());
  {
    TwoSessions sessions(locations, (dir / "cache").string());
    ASSERT_EQ(sessions.dictionary().englishCount, 23677);
    std::mt19937 random(17);
    std::vector<int> slots;
    for (int i = 0; i < 6; ++i) slots.push_back(1 + static_cast<int>(random() % 23677));
    for (int slot = 1; slot <= sessions.dictionary().englishCount; ++slot) {
      if (sessions.dictionary().EnglishIndex[slot].Origin != kOriginPublished && slots.size() < 10) slots.push_back(slot);
    }
    const std::set<std::string> words = sessions.WordsOf(slots);
    std::vector<std::string> sample(words.begin(), words.end());
    std::shuffle(sample.begin(), sample.end(), random);
    sample.resize(std::min<size_t>(sample.size(), 250));
    for (const char* common : {"ship", "anchor", "a", "πλοίο", "ΑΓΚΥΡΑ", "absentword"}) sample.push_back(Utf8ToCp1253(common));
    for (const std::string& word : sample) sessions.Compare(word);
    std::cout << "[word index] full size: " << sessions.compared() << " words compared, " << sessions.found()
              << " found in some description\n";
  }
  fs::remove_all(dir);
}

// quorvel-tools descsearch on a small synthetic folder while its cache is killed mid-write, cut
// short, has bytes changed, or is left behind by published files that changed: every answer is
// that of --scan.
class WordIndexCacheKill : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("quorvel-wordindex-kill-" + std::to_string(getpid()));
    fs::remove_all(dir_);
    // Two published data sets of one size, to swap in place of each other.
    for (const int set : {0, 1}) {
      tools::SynthOptions options;
      options.entries = 2500;
      options.greekTerms = 2200;
      options.userEntries = 60;
      options.seed = 3 + static_cast<uint64_t>(set);
      const fs::path folder = dir_ / ("set" + std::to_string(set));
      PosixFileSystem synthDisk(PosixFileSystem::Durability::kUnflushed);
      ASSERT_TRUE(tools::WriteSyntheticFolder(synthDisk, folder.string() + "/", (dir_ / "user").string(), options).ok());
    }
    fs::create_directories(dir_ / "program" / "data");
    UseSet(0);
  }
  void TearDown() override { fs::remove_all(dir_); }

  void UseSet(int set) {
    for (const char* name : {"Quorvel.tbo", "QuorvelI.tbo", "QuorvelHI.tbo"}) {
      fs::copy_file(dir_ / ("set" + std::to_string(set)) / "data" / name, dir_ / "program" / "data" / name,
                    fs::copy_options::overwrite_existing);
    }
    set_ = set;
  }
  fs::path CacheFile() const {
    for (const auto& entry : fs::directory_iterator(dir_ / "cache" / "orvanta")) {
      if (entry.path().extension() == ".idx") return entry.path();
    }
    return {};
  }

  // Starts quorvel-tools in the program folder with the cache under dir_/cache; its output goes
  // to `outFile`.
  pid_t Start(std::vector<std::string> args, const std::string& outFile) {
    args.insert(args.begin(), {"--user-dir", (dir_ / "user").string()});
    return test::StartProgramIn(QUORVEL_TOOLS_PROGRAM, (dir_ / "program").string(), args, outFile, "",
                                {"XDG_CACHE_HOME=" + (dir_ / "cache").string()});
  }
  static int Wait(pid_t pid) { return test::WaitForProgram(pid); }
  std::string Run(const std::vector<std::string>& args) {
    const std::string out = (dir_ / "out").string();
    EXPECT_EQ(Wait(Start(args, out)), 0);
    return test::ReadWholeFile(out).value_or("");
  }

  fs::path dir_;
  int set_ = 0;
};

TEST_F(WordIndexCacheKill, EveryAnswerIsTheScansWhateverBecameOfTheCache) {
  const unsigned seed = static_cast<unsigned>(std::random_device{}());
  std::mt19937 random(seed);
  const std::vector<std::string> words = {"ship", "anchor", "hull", "a", Utf8ToCp1253("πλοίο"), "absentword"};
  std::string expected[2][6];
  for (const int set : {1, 0}) {
    UseSet(set);
    for (size_t w = 0; w < words.size(); ++w) expected[set][w] = Run({"--cp1253", "descsearch", words[w], "--scan"});
  }
  ASSERT_FALSE(expected[0][0].empty());
  ASSERT_NE(expected[0][0], expected[1][0]);

  // How long a build takes, to spread the kills over it.
  const auto begin = std::chrono::steady_clock::now();
  Run({"descsearch", "ship"});
  const auto took = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - begin);
  const int span = static_cast<int>(std::max<int64_t>(took.count() * 3 / 2, 2000));

  int kills = 0, truncated = 0, flipped = 0, swapped = 0, touched = 0;
  for (int run = 0; run < 45; ++run) {
    const fs::path cache = CacheFile();
    switch (random() % 5) {
      case 0: {  // a writer killed at a random moment of a build
        if (!cache.empty()) fs::remove(cache);
        const pid_t pid = Start({"descsearch", "ship"}, (dir_ / "killed").string());
        usleep(static_cast<useconds_t>(random() % span));
        kill(pid, SIGKILL);
        Wait(pid);
        ++kills;
        break;
      }
      case 1:
        if (!cache.empty()) fs::resize_file(cache, random() % fs::file_size(cache));
        ++truncated;
        break;
      case 2:
        if (!cache.empty()) {
          std::string bytes = *test::ReadWholeFile(cache.string());
          for (int i = 0; i < 3; ++i) bytes[random() % bytes.size()] ^= static_cast<char>(1 << (random() % 8));
          std::ofstream(cache, std::ios::binary | std::ios::trunc) << bytes;
        }
        ++flipped;
        break;
      case 3:  // other published files under the same names
        UseSet(1 - set_);
        ++swapped;
        break;
      default:  // the same files, touched
        fs::last_write_time(dir_ / "program" / "data" / "Quorvel.tbo", fs::file_time_type::clock::now());
        ++touched;
        break;
    }
    const size_t w = random() % words.size();
    EXPECT_EQ(Run({"--cp1253", "descsearch", words[w]}), expected[set_][w]) << "run " << run << ", seed " << seed;
  }
  std::cout << "[cache figures] seed " << seed << ": " << kills << " writers killed, " << truncated << " cut short, "
            << flipped << " with bytes changed, " << swapped << " published files swapped, " << touched << " touched\n";
}

}  // namespace
}  // namespace quorvel
