// The common look of the figure drawings: the title, labels with leader lines, arrows, dimension
// lines and ropes, all drawn on one Canvas with the same line widths and letter sizes.
#pragma once

#include <string_view>
#include <vector>

#include "tools/sample/figgen/Canvas.h"
#include "tools/sample/figgen/StrokeFont.h"

namespace quorvel::figgen {

inline constexpr double kOutline = 2.0;  // outlines of objects
inline constexpr double kThin = 1.0;     // leader lines, hatching, dimension lines
inline constexpr double kLabelSize = 8.5;
inline constexpr double kSubLabelSize = 6.5;

struct RopeOptions {
  double width = 14;
  // Crossings (numbered in the order the rope first reaches them) where the other pass lies on top.
  std::vector<int> reversed;
  // Legs through[k] -> through[k + 1] that lie behind something and are not drawn.
  std::vector<size_t> hiddenLegs;
  // Legs from this one on belong to a second rope, drawn grey inside; -1 for one rope.
  int secondRopeFrom = -1;
};

class Painter {
 public:
  // REQUIRES: canvas outlives the painter.
  explicit Painter(Canvas& canvas) : canvas_(canvas) {}

  Canvas& canvas() { return canvas_; }
  // Characters drawn so far that the font has no glyph for.
  int missingGlyphs() const { return missingGlyphs_; }

  // Greek title centred at the top, the English name smaller below it.
  void title(std::string_view greek, std::string_view english);
  void text(double x, double baseline, std::string_view utf8, double capHeight, Align align = Align::Left,
            Tone tone = kBlack);
  // A Greek label with its English term below it in smaller letters; (x, baseline) is the Greek
  // line's anchor. An empty English term gives one line.
  void label(double x, double baseline, std::string_view greek, std::string_view english,
             Align align = Align::Left);
  // A thin line from a label to the thing it names, with a dot at the thing.
  void leader(Point from, Point to);

  void line(Point a, Point b, double width = kOutline, Tone tone = kBlack) { canvas_.strokeLine(a, b, width, tone); }
  void polyline(const std::vector<Point>& points, double width = kOutline, bool closed = false) {
    canvas_.strokePolyline(points, width, kBlack, closed);
  }
  // A shape filled with tone and outlined.
  void shape(const std::vector<Point>& contour, Tone fill, double width = kOutline);
  // A solid member of the given width along a centre line: outlined, filled with `fill`.
  void member(const std::vector<Point>& centre, double width, Tone fill = kWhite);
  void arrow(Point from, Point to, double width = kOutline, double head = 9);
  // A dimension line between a and b with arrow heads at both ends.
  void dimension(Point a, Point b);

  // A rope along a smooth curve through the given points, drawn as a band between two outlines.
  // Where the rope crosses itself the passes alternate over and under along the rope. Returns the
  // number of crossings found.
  int rope(const std::vector<Point>& through, const RopeOptions& options);

 private:
  Canvas& canvas_;
  int missingGlyphs_ = 0;
};

}  // namespace quorvel::figgen
