#include "core/WordIndex.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/Cp1253.h"
#include "core/LineReader.h"
#include "core/SearchKey.h"
#include "core/Session.h"
#include "core/WordIndexCache.h"
#include "platform/PosixFileSystem.h"
#include "richtext/RtfReader.h"
#include "tests/support/DictionaryFixture.h"
#include "tests/support/FakeFileSystem.h"
#include "tests/support/WholeFile.h"

namespace quorvel {
namespace {

// Random folded texts over a small alphabet, so that words repeat across lines and blocks fill.
std::vector<std::string> RandomTexts(int count, unsigned seed) {
  const std::string alphabet = Utf8ToCp1253("abcdeάβγ  1-");
  std::mt19937 random(seed);
  std::vector<std::string> texts;
  for (int i = 0; i < count; ++i) {
    std::string text;
    for (int n = static_cast<int>(random() % 200); n > 0; --n) text += alphabet[random() % alphabet.size()];
    texts.push_back(text);
  }
  return texts;
}

// Every line of `texts` (line i + 1 is texts[i]) in both folds, and the cache file's bytes.
struct SmallIndex {
  SmallIndex() {
    texts = RandomTexts(300, 5);
    WordIndexBuilder builder;
    for (size_t i = 0; i < texts.size(); ++i) {
      builder.Add(static_cast<int>(i) + 1, texts[i], GreekSearchKey(texts[i], false));
      ForEachWholeWord(texts[i], [&](std::string_view w) { AddLine(WordIndex::kEnglish, w, i + 1); });
      ForEachWholeWord(GreekSearchKey(texts[i], false), [&](std::string_view w) { AddLine(WordIndex::kGreek, w, i + 1); });
    }
    bytes = *builder.Finish({}, 42, static_cast<int>(texts.size()), 0);
  }
  void AddLine(WordIndex::Fold fold, std::string_view word, size_t line) {
    std::vector<int>& lines = expected[fold][std::string(word)];
    if (lines.empty() || lines.back() != static_cast<int>(line)) lines.push_back(static_cast<int>(line));
  }

  std::vector<std::string> texts;
  std::map<std::string, std::vector<int>> expected[2];
  std::string bytes;
};

// A cache file cut short or with any byte changed is never taken whole; opened for its blocks,
// a damaged block makes the lookups that read it give no answer, never a wrong one, and the
// sound ones list every word's lines.
TEST(WordIndex, DamagedFilesAreRefusedOrGiveNoAnswer) {
  const SmallIndex small;
  EXPECT_GT(small.bytes.size(), 3 * 4096u);  // several blocks
  const std::optional<WordIndex> sound = WordIndex::FromBytes(small.bytes);
  ASSERT_TRUE(sound);
  std::vector<int> lines;
  for (const WordIndex::Fold fold : {WordIndex::kEnglish, WordIndex::kGreek}) {
    for (const auto& [word, expected] : small.expected[fold]) {
      ASSERT_TRUE(sound->Lookup(fold, word, lines));
      EXPECT_EQ(lines, expected) << word;
    }
  }
  for (size_t size = 0; size < small.bytes.size(); size += 7) {
    EXPECT_FALSE(WordIndex::FromBytes(small.bytes.substr(0, size))) << size;
  }
  EXPECT_FALSE(WordIndex::FromBytes(small.bytes + "x"));
  test::FakeFileSystem fs;
  std::mt19937 random(9);
  for (int round = 0; round < 200; ++round) {
    std::string damaged = small.bytes;
    const size_t at = random() % damaged.size();
    damaged[at] = static_cast<char>(damaged[at] ^ (1 << (random() % 8)));
    EXPECT_FALSE(WordIndex::FromBytes(damaged)) << at;
    fs.AddFile("cache.idx", damaged);
    const std::optional<WordIndex> opened = WordIndex::Open(fs, "cache.idx");
    if (!opened) continue;
    // A third of the words, taken in turn, which reach every block.
    for (const WordIndex::Fold fold : {WordIndex::kEnglish, WordIndex::kGreek}) {
      int i = 0;
      for (const auto& [word, expected] : small.expected[fold]) {
        if (i++ % 3 == round % 3 && opened->Lookup(fold, word, lines)) {
          EXPECT_EQ(lines, expected) << word << " with byte " << at << " changed";
        }
      }
    }
  }
}

// Every call of the file system failing in turn while the index is built and kept: the index
// given (if any) answers as the one built without faults, and the next run finds a sound cache
// file or builds one; what lies under the cache file's name is always whole.
TEST(WordIndexCache, FailedCallsLeaveNoDamagedCache) {
  test::DictionaryFixture fixture;
  std::vector<test::PublishedEntry> entries;
  const char* words[] = {"anchor", "hull", "ship", "keel", "πλοίο", "άγκυρα"};
  for (int i = 0; i < 40; ++i) {
    entries.push_back({"entry " + std::to_string(i), "{" + std::string(words[i % 6]) + " and " + words[(i * 5) % 6] + "}"});
  }
  for (test::PublishedEntry& e : entries) e.description = Utf8ToCp1253(e.description);
  fixture.WritePublished(entries);
  PosixFileSystem disk;
  Session session(fixture.locations(), disk, [](std::string_view rtf) { return richtext::RtfToPlainText(rtf); });
  session.Reload();
  WordIndexInputs inputs = *session.WordIndexInputsFor("cache");
  inputs.threads = 1;

  const auto setUp = [&](test::FakeFileSystem& fs) {
    for (size_t i = 0; i < inputs.files.size(); ++i) {
      fs.AddFile(inputs.files[i], *test::ReadWholeFile(inputs.files[i]));
      ASSERT_TRUE(fs.Stamp(inputs.files[i], inputs.stamps[i]).ok());
    }
  };
  const auto answers = [](const WordIndex& index) {
    std::vector<std::vector<int>> all;
    for (const char* word : {"anchor", "hull", "ship", "keel", "and", "absent"}) {
      std::vector<int> lines;
      EXPECT_TRUE(index.Lookup(WordIndex::kEnglish, word, lines));
      all.push_back(lines);
    }
    std::vector<int> lines;
    EXPECT_TRUE(index.Lookup(WordIndex::kGreek, Utf8ToCp1253("πλοιο"), lines));
    all.push_back(lines);
    return all;
  };
  test::FakeFileSystem clean;
  setUp(clean);
  const WordIndexOutcome reference = OpenWordIndex(inputs, clean);
  ASSERT_TRUE(reference.status.ok() && reference.index) << reference.status.message();
  const std::string cacheFile = "cache/" + WordIndexFileName(reference.index->contentChecksum());
  const auto expected = answers(*reference.index);
  EXPECT_FALSE(expected[2].empty());

  for (uint64_t n = 1;; ++n) {
    test::FakeFileSystem fs;
    setUp(fs);
    fs.FailCall(n);
    const WordIndexOutcome outcome = OpenWordIndex(inputs, fs);
    if (!fs.faulted()) break;
    if (outcome.index) {
      EXPECT_EQ(answers(*outcome.index), expected) << "call " << n;
    }
    if (const std::optional<std::string> kept = fs.Content(cacheFile)) {
      EXPECT_TRUE(WordIndex::FromBytes(*kept)) << "call " << n;
    }
    const WordIndexOutcome next = OpenWordIndex(inputs, fs);
    ASSERT_TRUE(next.index) << "call " << n;
    EXPECT_EQ(answers(*next.index), expected) << "call " << n;
    EXPECT_TRUE(next.status.ok()) << next.status.message();
  }
}

}  // namespace
}  // namespace quorvel
