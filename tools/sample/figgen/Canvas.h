// A grey-scale drawing surface for the figure drawings: filled polygons, strokes with round ends,
// hatched fills. Drawing happens on a finer grid that is averaged down when the picture is taken,
// which smooths the edges.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorvel::figgen {

struct Point {
  double x = 0;
  double y = 0;
};

// Grey value of a painted area: 0 is black, 255 white. Painting replaces what was there.
using Tone = std::uint8_t;
inline constexpr Tone kBlack = 0;
inline constexpr Tone kWhite = 255;
inline constexpr Tone kLightGrey = 225;
inline constexpr Tone kMidGrey = 160;

// Parallel stripes for a hatched fill: only the stripes are painted.
struct Hatch {
  double angleDegrees = 45;  // direction of the stripes, 0 = horizontal
  double spacing = 6;        // distance between stripe centres
  double width = 1;          // stripe width
};

class Canvas {
 public:
  // width and height in output pixels; every output pixel is drawn as scale x scale samples.
  Canvas(int width, int height, int scale = 4);

  int width() const { return width_; }
  int height() const { return height_; }

  // Nonzero-winding fill of one or more closed contours (coordinates in output pixels).
  void fillPolygon(const std::vector<std::vector<Point>>& contours, Tone tone);
  void fillPolygon(const std::vector<Point>& contour, Tone tone) {
    fillPolygon(std::vector<std::vector<Point>>{contour}, tone);
  }
  void hatchPolygon(const std::vector<Point>& contour, const Hatch& hatch, Tone tone = kBlack);

  // A line of the given width with round ends; polylines get round joins.
  void strokeLine(Point a, Point b, double width, Tone tone = kBlack);
  void strokePolyline(const std::vector<Point>& points, double width, Tone tone = kBlack, bool closed = false);
  void dashPolyline(const std::vector<Point>& points, double width, double dash, double gap, Tone tone = kBlack);

  void fillCircle(Point centre, double radius, Tone tone);
  void strokeCircle(Point centre, double radius, double width, Tone tone = kBlack);

  // The picture as width() x height() grey values, rows from the top.
  std::vector<Tone> pixels() const;

 private:
  template <typename Paint>
  void scanFill(const std::vector<std::vector<Point>>& contours, Paint paint);
  void paintSample(int sx, int sy, Tone tone) { samples_[static_cast<std::size_t>(sy) * sampleWidth_ + sx] = tone; }

  int width_;
  int height_;
  int scale_;
  int sampleWidth_;
  int sampleHeight_;
  std::vector<Tone> samples_;
};

// Geometry helpers shared by the drawings.
std::vector<Point> ellipsePoints(Point centre, double rx, double ry, double fromDegrees, double toDegrees,
                                 int segments = 0);
std::vector<Point> cubicPoints(Point p0, Point p1, Point p2, Point p3, int segments = 24);
// A smooth curve through all points (Catmull-Rom), sampled about every `step` pixels. When legs is
// given it receives, for every sample, the index k of the leg through[k] -> through[k + 1] it lies on.
std::vector<Point> smoothCurve(const std::vector<Point>& through, double step = 2.0,
                               std::vector<std::size_t>* legs = nullptr);

}  // namespace quorvel::figgen
