#include "core/FigureReference.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include <unistd.h>

#include "core/Cp1253.h"
#include "platform/PosixFileSystem.h"

namespace quorvel {
namespace {

// A description's units from UTF-8 text: one unit per character, "\n" a paragraph mark.
class Units {
 public:
  explicit Units(const char* utf8) {
    for (const char c : Utf8ToCp1253(utf8)) units_.push_back(c == '\n' ? "\r\n" : std::string(1, c));
  }
  DescriptionUnit unit() const {
    return [this](int position) -> std::optional<std::string> {
      if (position < 0 || position >= static_cast<int>(units_.size())) return std::nullopt;
      return units_[static_cast<size_t>(position)];
    };
  }
  // The unit position where `utf8` first begins.
  int Find(const char* utf8) const {
    std::string text;
    for (const std::string& u : units_) text += u.size() == 2 ? "\n" : u;
    return static_cast<int>(text.find(Utf8ToCp1253(utf8)));
  }
  std::optional<std::string> Select(const char* utf8) const {
    return SelectedFigure(unit(), Find(utf8), static_cast<int>(Utf8ToCp1253(utf8).size()));
  }

 private:
  std::vector<std::string> units_;
};

TEST(FigureReference, TheTwoUsualSelections) {
  const Units numbered("Κόμποι: {Σχήμα 2}. Τέλος.");
  EXPECT_EQ(numbered.Select("Σχήμα"), "2");      // the word: read on to "α 2}"
  EXPECT_EQ(numbered.Select("{Σχήμα 2}"), "2");  // brace to brace
  const Units plain("Άγκυρα {Σχήμα}. Βλ. και");
  EXPECT_EQ(plain.Select("Σχήμα"), "");  // "α}. " read on: the unit before the last is "."
  EXPECT_EQ(plain.Select("{Σχήμα}"), "");
  const Units zero("ref {Σχήμα 0} end");
  EXPECT_EQ(zero.Select("Σχήμα"), "");  // "0" is no figure digit
  EXPECT_EQ(zero.Select("{Σχήμα 0}"), "");
  EXPECT_EQ(Units("{Σχήμα 9}").Select("Σχήμα"), "9");
}

TEST(FigureReference, OtherSelectionsAreNoReference) {
  const Units text("Ένα σχήμα και ένα Σχημα {Σχήμα 3}");
  EXPECT_EQ(text.Select("σχήμα"), std::nullopt);    // lower case
  EXPECT_EQ(text.Select("Σχημα"), std::nullopt);    // without its accent
  EXPECT_EQ(text.Select("Σχήμα 3"), std::nullopt);  // more than the word, without the brace
  EXPECT_EQ(SelectedFigure(text.unit(), text.Find("Σχήμα"), 0), std::nullopt);  // caret only
  EXPECT_EQ(SelectedFigure(text.unit(), -1, 3), std::nullopt);
  // Anything holding "{Σχήμα" counts, and a "}" in it stops the reading on.
  EXPECT_EQ(text.Select("και ένα Σχημα {Σχήμα"), "3");  // read on by "α 3}"
  EXPECT_EQ(Units("{Σχήμα 3} και {Σχήμα 4}").Select("{Σχήμα 3} και {Σχήμα 4}"), "4");
}

TEST(FigureReference, ReadingOnCountsUnitsAndStopsAtTheEnd) {
  // A paragraph mark is one unit, though its text is CR LF.
  EXPECT_EQ(Units("{Σχήμα\n5}").Select("Σχήμα"), "5");
  // At the end of the text fewer units are added.
  EXPECT_EQ(Units("{Σχήμα 7").Select("Σχήμα"), "");
  EXPECT_EQ(Units("x Σχήμα").Select("Σχήμα"), "");
}

TEST(FigureReference, FileOfTheEntryNumber) {
  EXPECT_EQ(FigureFileName(1234, ""), "content/fig1234.bmp");
  EXPECT_EQ(FigureFileName(1234, "2"), "content/fig12342.bmp");

  const std::filesystem::path root =
      std::filesystem::temp_directory_path() / ("quorvel-fig-" + std::to_string(::getpid()));
  std::filesystem::create_directories(root / "Content");
  std::ofstream(root / "Content" / "fig773.bmp") << "BM";
  auto dictionary = std::make_unique<Dictionary>();
  dictionary->EnglishIndex[5].Number = 77;
  const std::string programDir = root.string() + "/";
  PosixFileSystem fs;
  EXPECT_EQ(ExistingFigureFile(fs, *dictionary, programDir, 5, "3"), (root / "Content" / "fig773.bmp").string());
  EXPECT_EQ(ExistingFigureFile(fs, *dictionary, programDir, 5, ""), std::nullopt);  // fig77.bmp missing
  EXPECT_EQ(ExistingFigureFile(fs, *dictionary, programDir, 6, "3"), std::nullopt);  // an empty slot
  EXPECT_EQ(ExistingFigureFile(fs, *dictionary, programDir, 0, "3"), std::nullopt);
  std::filesystem::remove_all(root);
  EXPECT_EQ(ExistingFigureFile(fs, *dictionary, programDir, 5, "3"), std::nullopt);  // no content folder
}

}  // namespace
}  // namespace quorvel
