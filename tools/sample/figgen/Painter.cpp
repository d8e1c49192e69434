#include "tools/sample/figgen/Painter.h"

#include <algorithm>
#include <cmath>

namespace quorvel::figgen {

namespace {

struct Crossing {
  size_t first;   // segment index of the first pass
  size_t second;  // segment index of the second pass
  bool firstOver = true;
};

// Whether segment a-b meets segment c-d, each taken without its end point, so that a crossing
// exactly at a sample of both passes is counted once.
bool segmentsCross(Point a, Point b, Point c, Point d) {
  const double rx = b.x - a.x, ry = b.y - a.y;
  const double sx = d.x - c.x, sy = d.y - c.y;
  const double denom = rx * sy - ry * sx;
  if (denom == 0) return false;
  const double t = ((c.x - a.x) * sy - (c.y - a.y) * sx) / denom;
  const double u = ((c.x - a.x) * ry - (c.y - a.y) * rx) / denom;
  return t >= 0 && t < 1 && u >= 0 && u < 1;
}

std::vector<Point> slice(const std::vector<Point>& pts, size_t from, size_t to) {
  return {pts.begin() + static_cast<std::ptrdiff_t>(from), pts.begin() + static_cast<std::ptrdiff_t>(to) + 1};
}

}  // namespace

void Painter::title(std::string_view greek, std::string_view english) {
  text(canvas_.width() / 2.0, 24, greek, 12, Align::Centre);
  if (!english.empty()) text(canvas_.width() / 2.0, 39, english, 7, Align::Centre, 70);
}

void Painter::text(double x, double baseline, std::string_view utf8, double capHeight, Align align, Tone tone) {
  missingGlyphs_ += drawText(canvas_, x, baseline, utf8, TextStyle{capHeight, tone, 0}, align);
}

void Painter::label(double x, double baseline, std::string_view greek, std::string_view english, Align align) {
  text(x, baseline, greek, kLabelSize, align);
  if (!english.empty()) text(x, baseline + kSubLabelSize + 5, english, kSubLabelSize, align, 80);
}

void Painter::leader(Point from, Point to) {
  canvas_.strokeLine(from, to, kThin);
  canvas_.fillCircle(to, 2.0, kBlack);
}

void Painter::shape(const std::vector<Point>& contour, Tone fill, double width) {
  canvas_.fillPolygon(contour, fill);
  canvas_.strokePolyline(contour, width, kBlack, true);
}

void Painter::member(const std::vector<Point>& centre, double width, Tone fill) {
  canvas_.strokePolyline(centre, width, kBlack);
  canvas_.strokePolyline(centre, width - 2 * kOutline, fill);
}

void Painter::arrow(Point from, Point to, double width, double head) {
  const double len = std::hypot(to.x - from.x, to.y - from.y);
  if (len <= 0) return;
  const double ux = (to.x - from.x) / len;
  const double uy = (to.y - from.y) / len;
  const Point base{to.x - ux * head, to.y - uy * head};
  canvas_.strokeLine(from, base, width);
  const std::vector<Point> tip{to, {base.x - uy * head * 0.4, base.y + ux * head * 0.4},
                               {base.x + uy * head * 0.4, base.y - ux * head * 0.4}};
  canvas_.fillPolygon(tip, kBlack);
}

void Painter::dimension(Point a, Point b) {
  const Point mid{(a.x + b.x) / 2, (a.y + b.y) / 2};
  arrow(mid, a, kThin, 7);
  arrow(mid, b, kThin, 7);
}

int Painter::rope(const std::vector<Point>& through, const RopeOptions& options) {
  std::vector<size_t> legOf;
  const std::vector<Point> pts = smoothCurve(through, 1.5, &legOf);
  if (pts.size() < 2) return 0;
  const double width = options.width;
  auto hidden = [&](size_t i) {
    return std::find(options.hiddenLegs.begin(), options.hiddenLegs.end(), legOf[i]) != options.hiddenLegs.end();
  };
  auto fillOf = [&](size_t i) {
    return options.secondRopeFrom >= 0 && legOf[i] >= static_cast<size_t>(options.secondRopeFrom) ? kLightGrey
                                                                                                   : kWhite;
  };

  // Arc length at every sample, to keep neighbouring parts of the rope from counting as crossings.
  std::vector<double> along(pts.size(), 0);
  for (size_t i = 1; i < pts.size(); ++i)
    along[i] = along[i - 1] + std::hypot(pts[i].x - pts[i - 1].x, pts[i].y - pts[i - 1].y);

  const size_t segments = pts.size() - 1;
  std::vector<Crossing> crossings;
  for (size_t i = 0; i < segments; ++i) {
    if (hidden(i) || hidden(i + 1)) continue;
    for (size_t j = i + 2; j < segments; ++j) {
      if (along[j] - along[i + 1] < width || hidden(j) || hidden(j + 1)) continue;
      if (!segmentsCross(pts[i], pts[i + 1], pts[j], pts[j + 1])) continue;
      // A crossing at a shared sample can show up in two neighbouring pairs of segments.
      const bool seen = std::any_of(crossings.begin(), crossings.end(), [&](const Crossing& c) {
        return std::abs(along[c.first] - along[i]) < width / 2 && std::abs(along[c.second] - along[j]) < width / 2;
      });
      if (!seen) crossings.push_back({i, j});
    }
  }

  // Alternate over and under along the rope: list both passes of every crossing in rope order.
  struct Pass {
    size_t segment;
    size_t crossing;
    bool first;
  };
  std::vector<Pass> passes;
  for (size_t k = 0; k < crossings.size(); ++k) {
    passes.push_back({crossings[k].first, k, true});
    passes.push_back({crossings[k].second, k, false});
  }
  std::sort(passes.begin(), passes.end(), [](const Pass& l, const Pass& r) { return l.segment < r.segment; });
  for (size_t p = 0; p < passes.size(); ++p)
    if (passes[p].first) crossings[passes[p].crossing].firstOver = (p % 2 == 0);
  for (int r : options.reversed)
    if (r >= 0 && static_cast<size_t>(r) < crossings.size()) crossings[r].firstOver = !crossings[r].firstOver;

  // Layer 1 for the samples of every pass that lies on top, from its crossing on as far as it
  // still touches the pass below (shallow crossings touch longer); -1 for hidden samples.
  std::vector<int> layer(pts.size(), 0);
  for (const Crossing& c : crossings) {
    const size_t over = c.firstOver ? c.first : c.second;
    const size_t under = c.firstOver ? c.second : c.first;
    auto touchesUnder = [&](size_t i) {
      for (size_t k = 0; k < pts.size(); ++k) {
        if (std::abs(along[k] - along[under]) > 4 * width) continue;
        if (std::hypot(pts[k].x - pts[i].x, pts[k].y - pts[i].y) < width * 1.05) return true;
      }
      return false;
    };
    // Stop half way to the next pass of any crossing, so that runs on top never meet.
    double room = 5 * width;
    for (const Pass& other : passes)
      if (other.segment != over) room = std::min(room, std::abs(along[other.segment] - along[over]) / 2);
    room = std::max(room, 0.6 * width);
    auto covered = [&](size_t i) {
      const double d = std::abs(along[i] - along[over]);
      return d <= std::min(1.5 * width, room) || (d <= room && touchesUnder(i));
    };
    for (size_t i = over; i < pts.size() && covered(i); ++i) layer[i] = 1;
    for (size_t i = over; i-- > 0 && covered(i);) layer[i] = 1;
  }
  for (size_t i = 0; i < pts.size(); ++i)
    if (hidden(i)) layer[i] = -1;

  const double inner = width - 2 * kOutline;
  // Maximal runs of samples on one layer, widened by one sample so that neighbouring runs join.
  auto runs = [&](int wanted) {
    std::vector<std::pair<size_t, size_t>> out;
    size_t i = 0;
    while (i < pts.size()) {
      if (layer[i] != wanted) {
        ++i;
        continue;
      }
      size_t j = i;
      while (j + 1 < pts.size() && layer[j + 1] == wanted) ++j;
      out.push_back({i == 0 || layer[i - 1] < 0 ? i : i - 1, j + 1 < pts.size() && layer[j + 1] >= 0 ? j + 1 : j});
      i = j + 1;
    }
    return out;
  };
  auto paintInside = [&](size_t from, size_t to) {
    for (size_t i = from; i < to; ++i) canvas_.strokeLine(pts[i], pts[i + 1], inner, fillOf(i));
    if (from == to) canvas_.strokeLine(pts[from], pts[from], inner, fillOf(from));
  };
  // The rope below: outline, then inside.
  const auto below = runs(0);
  for (const auto& [from, to] : below) canvas_.strokePolyline(slice(pts, from, to), width, kBlack);
  for (const auto& [from, to] : below) paintInside(from, to);
  // The passes on top: inside, then the two edges. The edges end square, so that nothing of them
  // lies across the rope where a pass on top runs on into the rope below.
  const double edge = (width - kOutline) / 2;
  for (const auto& [from, to] : runs(1)) {
    paintInside(from, to);
    std::vector<Point> left, right;
    for (size_t i = from; i <= to; ++i) {
      const Point a = pts[i == 0 ? 0 : i - 1];
      const Point b = pts[i + 1 < pts.size() ? i + 1 : i];
      const double len = std::hypot(b.x - a.x, b.y - a.y);
      if (len <= 0) continue;
      const double nx = -(b.y - a.y) / len;
      const double ny = (b.x - a.x) / len;
      left.push_back({pts[i].x + nx * edge, pts[i].y + ny * edge});
      right.push_back({pts[i].x - nx * edge, pts[i].y - ny * edge});
    }
    canvas_.strokePolyline(left, kOutline, kBlack);
    canvas_.strokePolyline(right, kOutline, kBlack);
  }
  return static_cast<int>(crossings.size());
}

}  // namespace quorvel::figgen
