// The drawing vocabulary of the figures: one black-on-white line drawing with Greek labels per
// name, each on a canvas of kFigureWidth x kFigureHeight pixels.
#pragma once

#include <string_view>
#include <vector>

#include "tools/sample/figgen/Canvas.h"

namespace quorvel::figgen {

inline constexpr int kFigureWidth = 480;
inline constexpr int kFigureHeight = 360;

// Every name of the vocabulary, in a fixed order.
const std::vector<std::string_view>& drawingNames();
bool isDrawingName(std::string_view name);

struct RenderResult {
  bool known = false;     // the name is in the vocabulary and was drawn
  int missingGlyphs = 0;  // label characters the font could not draw
};

// Draws the named drawing. REQUIRES: a white canvas of kFigureWidth x kFigureHeight.
RenderResult renderDrawing(std::string_view name, Canvas& canvas);

}  // namespace quorvel::figgen
