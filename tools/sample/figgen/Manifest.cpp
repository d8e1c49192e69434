#include "tools/sample/figgen/Manifest.h"

#include <map>

namespace quorvel::figgen {

namespace {

// Entry numbers have at most seven digits; one more for the figure digit.
constexpr size_t kMaxFigureDigits = 8;

bool isDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

std::string shown(std::string_view s) {
  std::string out;
  for (char c : s.substr(0, 60)) {
    const auto b = static_cast<unsigned char>(c);
    out += (b < 0x20 || b >= 0x7F) ? '?' : c;  // drawing names are ASCII; keep the message plain
  }
  return out;
}

std::string lineError(int line, const std::string& what) { return "line " + std::to_string(line) + ": " + what; }

}  // namespace

std::string figureFileName(const FigureRequest& request) { return "fig" + request.figure + ".bmp"; }

ManifestResult parseManifest(std::string_view text, const std::function<bool(std::string_view)>& isKnown) {
  ManifestResult result;
  std::map<std::string, int> seen;
  int lineNumber = 0;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;

    const size_t tab = line.find('\t');
    if (tab == std::string_view::npos) {
      result.error = lineError(lineNumber, "expected <number><digit> TAB <drawing name>, got \"" + shown(line) + "\"");
      return result;
    }
    const std::string_view figure = line.substr(0, tab);
    const std::string_view drawing = line.substr(tab + 1);
    if (!isDigits(figure) || figure[0] == '0' || figure.size() > kMaxFigureDigits) {
      result.error = lineError(lineNumber, "\"" + shown(figure) + "\" is not an entry number with an optional figure digit");
      return result;
    }
    if (!isKnown(drawing)) {
      result.error = lineError(lineNumber, "unknown drawing name \"" + shown(drawing) + "\"");
      return result;
    }
    const auto [it, inserted] = seen.emplace(std::string(figure), lineNumber);
    if (!inserted) {
      result.error = lineError(lineNumber, "fig" + std::string(figure) + ".bmp is already listed on line " +
                                               std::to_string(it->second));
      return result;
    }
    result.figures.push_back({std::string(figure), std::string(drawing), lineNumber});
  }
  return result;
}

}  // namespace quorvel::figgen
