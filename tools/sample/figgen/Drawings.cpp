#include "tools/sample/figgen/Drawings.h"

#include <algorithm>

#include "tools/sample/figgen/DrawingSet.h"

namespace quorvel::figgen {

namespace {

struct Entry {
  std::string_view name;
  void (*draw)(Painter&);
};

constexpr Entry kDrawings[] = {
    {"anchor", drawAnchor},
    {"bowline", drawBowline},
    {"reef-knot", drawReefKnot},
    {"clove-hitch", drawCloveHitch},
    {"figure-of-eight", drawFigureOfEight},
    {"midship-section", drawMidshipSection},
    {"hull-dimensions", drawHullDimensions},
    {"sloop-sails", drawSloopSails},
    {"lateral-marks", drawLateralMarks},
    {"cardinal-marks", drawCardinalMarks},
    {"compass-rose", drawCompassRose},
    {"points-of-sail", drawPointsOfSail},
    {"navigation-lights", drawNavigationLights},
};

}  // namespace

const std::vector<std::string_view>& drawingNames() {
  static const std::vector<std::string_view> names = [] {
    std::vector<std::string_view> out;
    for (const Entry& e : kDrawings) out.push_back(e.name);
    return out;
  }();
  return names;
}

bool isDrawingName(std::string_view name) {
  return std::any_of(std::begin(kDrawings), std::end(kDrawings), [&](const Entry& e) { return e.name == name; });
}

RenderResult renderDrawing(std::string_view name, Canvas& canvas) {
  for (const Entry& e : kDrawings) {
    if (e.name != name) continue;
    Painter painter(canvas);
    e.draw(painter);
    return {true, painter.missingGlyphs()};
  }
  return {};
}

}  // namespace quorvel::figgen
