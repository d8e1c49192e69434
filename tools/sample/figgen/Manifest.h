// The figure manifest that the dictionary compiler writes: one line per figure file,
// "<Number><digit-or-nothing> TAB <drawing-name>", naming content/fig<Number><digit>.bmp.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::figgen {

struct FigureRequest {
  std::string figure;   // entry number and figure digit, as in the file name: "1232"
  std::string drawing;  // a name of the drawing vocabulary
  int line = 0;         // 1-based line of the manifest
};

struct ManifestResult {
  std::vector<FigureRequest> figures;
  std::string error;  // empty on success; otherwise names the line
  bool ok() const { return error.empty(); }
};

// The figure's file name: "fig" + figure + ".bmp".
std::string figureFileName(const FigureRequest& request);

// Parses the whole manifest. Empty lines and a CR before the line feed are accepted; anything else
// that is not a figure line, a drawing name that isKnown rejects, or a figure listed twice fails
// the whole manifest with a message naming the line.
ManifestResult parseManifest(std::string_view text, const std::function<bool(std::string_view)>& isKnown);

}  // namespace quorvel::figgen
