#include "core/FigureReference.h"

#include <vector>

#include "core/Paths.h"

namespace quorvel {
namespace {

// "Σχήμα" in code page 1253.
constexpr std::string_view kFigureWord = "\xD3\xF7\xDE\xEC\xE1";
constexpr int kReadOn = 4;  // units read on from the selection's last unit

}  // namespace

std::optional<std::string> SelectedFigure(const DescriptionUnit& unit, int start, int length) {
  if (start < 0 || length <= 0) return std::nullopt;
  std::vector<std::string> units;
  std::string text;
  for (int position = start; position < start + length; ++position) {
    std::optional<std::string> u = unit(position);
    if (!u) break;
    text += *u;
    units.push_back(std::move(*u));
  }
  if (text != kFigureWord && text.find("{" + std::string(kFigureWord)) == std::string::npos) {
    return std::nullopt;
  }
  if (text.find('}') == std::string::npos) {
    const int last = start + static_cast<int>(units.size()) - 1;
    for (int position = last; position < last + kReadOn; ++position) {
      std::optional<std::string> u = unit(position);
      if (!u) break;
      units.push_back(std::move(*u));
    }
  }
  if (units.size() < 2) return std::string();
  const std::string& digit = units[units.size() - 2];
  if (digit.size() == 1 && digit[0] >= '1' && digit[0] <= '9') return digit;
  return std::string();
}

std::string FigureFileName(int entryNumber, std::string_view digit) {
  return "content/fig" + std::to_string(entryNumber) + std::string(digit) + ".bmp";
}

std::optional<std::string> ExistingFigureFile(FileSystem& fs, const Dictionary& dictionary,
                                              const std::string& programDir, int slot,
                                              std::string_view digit) {
  if (slot < 1 || slot >= kIndexSlots) return std::nullopt;
  const int number = dictionary.EnglishIndex[static_cast<size_t>(slot)].Number;
  if (number == 0) return std::nullopt;
  const std::string path = ResolveCaseInsensitive(fs, JoinPath(programDir, FigureFileName(number, digit)));
  if (fs.Kind(path) != FileKind::kRegular) return std::nullopt;
  return path;
}

}  // namespace quorvel
