#include "tools/sample/figgen/Canvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quorvel::figgen {

namespace {

double distanceToSegment(double px, double py, Point a, Point b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double len2 = dx * dx + dy * dy;
  double t = 0;
  if (len2 > 0) t = std::clamp(((px - a.x) * dx + (py - a.y) * dy) / len2, 0.0, 1.0);
  const double qx = a.x + t * dx - px;
  const double qy = a.y + t * dy - py;
  return std::sqrt(qx * qx + qy * qy);
}

}  // namespace

Canvas::Canvas(int width, int height, int scale)
    : width_(std::max(width, 1)),
      height_(std::max(height, 1)),
      scale_(std::max(scale, 1)),
      sampleWidth_(width_ * scale_),
      sampleHeight_(height_ * scale_),
      samples_(static_cast<size_t>(sampleWidth_) * sampleHeight_, kWhite) {}

template <typename Paint>
void Canvas::scanFill(const std::vector<std::vector<Point>>& contours, Paint paint) {
  struct Crossing {
    double x;
    int direction;
  };
  double top = 1e300, bottom = -1e300;
  for (const auto& c : contours)
    for (const Point& p : c) {
      top = std::min(top, p.y);
      bottom = std::max(bottom, p.y);
    }
  if (top > bottom) return;
  const int firstRow = std::max(0, static_cast<int>(std::floor(top * scale_)));
  const int lastRow = std::min(sampleHeight_ - 1, static_cast<int>(std::ceil(bottom * scale_)));
  std::vector<Crossing> crossings;
  for (int row = firstRow; row <= lastRow; ++row) {
    const double y = (row + 0.5) / scale_;
    crossings.clear();
    for (const auto& c : contours) {
      const size_t n = c.size();
      if (n < 3) continue;
      for (size_t i = 0; i < n; ++i) {
        const Point a = c[i];
        const Point b = c[(i + 1) % n];
        if (a.y == b.y) continue;
        const bool down = a.y < b.y;
        const double y0 = down ? a.y : b.y;
        const double y1 = down ? b.y : a.y;
        if (y < y0 || y >= y1) continue;
        const double x = a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y);
        crossings.push_back({x, down ? 1 : -1});
      }
    }
    std::sort(crossings.begin(), crossings.end(), [](const Crossing& l, const Crossing& r) { return l.x < r.x; });
    int winding = 0;
    for (size_t i = 0; i + 1 < crossings.size(); ++i) {
      winding += crossings[i].direction;
      if (winding == 0) continue;
      const int from = std::max(0, static_cast<int>(std::ceil(crossings[i].x * scale_ - 0.5)));
      const int to = std::min(sampleWidth_ - 1, static_cast<int>(std::ceil(crossings[i + 1].x * scale_ - 0.5)) - 1);
      for (int col = from; col <= to; ++col) paint(col, row);
    }
  }
}

void Canvas::fillPolygon(const std::vector<std::vector<Point>>& contours, Tone tone) {
  scanFill(contours, [&](int col, int row) { paintSample(col, row, tone); });
}

void Canvas::hatchPolygon(const std::vector<Point>& contour, const Hatch& hatch, Tone tone) {
  const double angle = hatch.angleDegrees * std::numbers::pi / 180.0;
  // Distance across the stripes: the stripe direction is (cos, sin), its normal (-sin, cos).
  const double nx = -std::sin(angle);
  const double ny = std::cos(angle);
  const double spacing = std::max(hatch.spacing, 1.0);
  scanFill(std::vector<std::vector<Point>>{contour}, [&](int col, int row) {
    const double x = (col + 0.5) / scale_;
    const double y = (row + 0.5) / scale_;
    double d = std::fmod(x * nx + y * ny, spacing);
    if (d < 0) d += spacing;
    if (d < hatch.width) paintSample(col, row, tone);
  });
}

void Canvas::strokeLine(Point a, Point b, double width, Tone tone) {
  const double r = std::max(width, 0.1) / 2.0;
  const int x0 = std::max(0, static_cast<int>(std::floor((std::min(a.x, b.x) - r) * scale_)));
  const int x1 = std::min(sampleWidth_ - 1, static_cast<int>(std::ceil((std::max(a.x, b.x) + r) * scale_)));
  const int y0 = std::max(0, static_cast<int>(std::floor((std::min(a.y, b.y) - r) * scale_)));
  const int y1 = std::min(sampleHeight_ - 1, static_cast<int>(std::ceil((std::max(a.y, b.y) + r) * scale_)));
  for (int row = y0; row <= y1; ++row)
    for (int col = x0; col <= x1; ++col)
      if (distanceToSegment((col + 0.5) / scale_, (row + 0.5) / scale_, a, b) <= r) paintSample(col, row, tone);
}

void Canvas::strokePolyline(const std::vector<Point>& points, double width, Tone tone, bool closed) {
  if (points.size() == 1) strokeLine(points[0], points[0], width, tone);
  for (size_t i = 0; i + 1 < points.size(); ++i) strokeLine(points[i], points[i + 1], width, tone);
  if (closed && points.size() > 2) strokeLine(points.back(), points.front(), width, tone);
}

void Canvas::dashPolyline(const std::vector<Point>& points, double width, double dash, double gap, Tone tone) {
  const double period = std::max(dash + gap, 0.5);
  double phase = 0;  // distance walked within the current period
  for (size_t i = 0; i + 1 < points.size(); ++i) {
    const Point a = points[i];
    const Point b = points[i + 1];
    const double len = std::hypot(b.x - a.x, b.y - a.y);
    double walked = 0;
    while (walked < len) {
      const double inPeriod = std::fmod(phase, period);
      const double step = std::min(len - walked, inPeriod < dash ? dash - inPeriod : period - inPeriod);
      if (inPeriod < dash && len > 0) {
        const Point p{a.x + (b.x - a.x) * walked / len, a.y + (b.y - a.y) * walked / len};
        const Point q{a.x + (b.x - a.x) * (walked + step) / len, a.y + (b.y - a.y) * (walked + step) / len};
        strokeLine(p, q, width, tone);
      }
      walked += step;
      phase += step;
    }
  }
}

void Canvas::fillCircle(Point centre, double radius, Tone tone) {
  fillPolygon(ellipsePoints(centre, radius, radius, 0, 360), tone);
}

void Canvas::strokeCircle(Point centre, double radius, double width, Tone tone) {
  strokePolyline(ellipsePoints(centre, radius, radius, 0, 360), width, tone);
}

std::vector<Tone> Canvas::pixels() const {
  std::vector<Tone> out(static_cast<size_t>(width_) * height_);
  const int area = scale_ * scale_;
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      int sum = 0;
      for (int sy = 0; sy < scale_; ++sy) {
        const Tone* row = &samples_[static_cast<size_t>(y * scale_ + sy) * sampleWidth_ + x * scale_];
        for (int sx = 0; sx < scale_; ++sx) sum += row[sx];
      }
      out[static_cast<size_t>(y) * width_ + x] = static_cast<Tone>((sum + area / 2) / area);
    }
  return out;
}

std::vector<Point> ellipsePoints(Point centre, double rx, double ry, double fromDegrees, double toDegrees,
                                 int segments) {
  const double sweep = toDegrees - fromDegrees;
  if (segments <= 0) {
    const double arcLength = std::abs(sweep) / 360.0 * 2 * std::numbers::pi * std::max(rx, ry);
    segments = std::clamp(static_cast<int>(arcLength / 2.0), 8, 720);
  }
  std::vector<Point> pts;
  pts.reserve(static_cast<size_t>(segments) + 1);
  for (int i = 0; i <= segments; ++i) {
    const double a = (fromDegrees + sweep * i / segments) * std::numbers::pi / 180.0;
    pts.push_back({centre.x + rx * std::cos(a), centre.y + ry * std::sin(a)});
  }
  return pts;
}

std::vector<Point> cubicPoints(Point p0, Point p1, Point p2, Point p3, int segments) {
  std::vector<Point> pts;
  segments = std::max(segments, 1);
  for (int i = 0; i <= segments; ++i) {
    const double t = static_cast<double>(i) / segments;
    const double u = 1 - t;
    pts.push_back({u * u * u * p0.x + 3 * u * u * t * p1.x + 3 * u * t * t * p2.x + t * t * t * p3.x,
                   u * u * u * p0.y + 3 * u * u * t * p1.y + 3 * u * t * t * p2.y + t * t * t * p3.y});
  }
  return pts;
}

std::vector<Point> smoothCurve(const std::vector<Point>& through, double step, std::vector<size_t>* legs) {
  std::vector<Point> out;
  if (legs) legs->clear();
  if (through.size() < 2) return through;
  const size_t n = through.size();
  for (size_t i = 0; i + 1 < n; ++i) {
    const Point p0 = through[i == 0 ? 0 : i - 1];
    const Point p1 = through[i];
    const Point p2 = through[i + 1];
    const Point p3 = through[i + 2 < n ? i + 2 : n - 1];
    const double len = std::hypot(p2.x - p1.x, p2.y - p1.y);
    const int segments = std::max(2, static_cast<int>(len / std::max(step, 0.25)));
    for (int s = (i == 0 ? 0 : 1); s <= segments; ++s) {
      const double t = static_cast<double>(s) / segments;
      const double t2 = t * t;
      const double t3 = t2 * t;
      auto blend = [&](double a, double b, double c, double d) {
        return 0.5 * (2 * b + (-a + c) * t + (2 * a - 5 * b + 4 * c - d) * t2 + (-a + 3 * b - 3 * c + d) * t3);
      };
      out.push_back({blend(p0.x, p1.x, p2.x, p3.x), blend(p0.y, p1.y, p2.y, p3.y)});
      if (legs) legs->push_back(i);
    }
  }
  return out;
}

}  // namespace quorvel::figgen
