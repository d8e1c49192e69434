// Drawings of knots: the bowline, the reef knot, the clove hitch and the figure-of-eight knot.
// Each rope is a smooth curve through hand-placed points; the rope code finds the crossings.
#include "tools/figgen/DrawingSet.h"

namespace quorvel::figgen {

namespace {

constexpr double kRope = 16;

}  // namespace

void drawBowline(Painter& p) {
  p.title("ΜΠΟΥΛΙΝΙ", "BOWLINE");
  const std::vector<Point> path{
      {250, 40},  {252, 100}, {256, 140}, {246, 170}, {222, 168}, {212, 146}, {228, 124},
      {262, 130}, {296, 170}, {312, 240}, {290, 310}, {232, 328}, {180, 300}, {172, 236},
      {198, 180}, {226, 140}, {238, 100}, {258, 86},  {278, 100}, {274, 130}, {262, 170},
      {250, 220}, {240, 250}};
  p.rope(path, {kRope, {}, {}, -1});
  p.label(270, 60, "ΚΥΡΙΟ ΜΕΡΟΣ", "STANDING PART");
  p.label(320, 330, "ΘΗΛΙΑ", "LOOP");
  p.label(120, 260, "ΑΚΡΟ", "WORKING END");
}

void drawReefKnot(Painter& p) {
  p.title("ΣΤΑΥΡΟΚΟΜΠΟΣ", "REEF KNOT");
  // The first rope comes in from the left, bends round on the right and goes back out to the
  // left; the second, grey, does the same from the right. The two are joined far outside the
  // picture, so that one curve draws both.
  const std::vector<Point> path{
      {-60, 150}, {40, 150},  {140, 160}, {240, 180}, {300, 160}, {330, 195}, {300, 232},
      {240, 212}, {140, 232}, {40, 242},  {-60, 242}, {-90, 420}, {570, 420}, {540, 252},
      {440, 252}, {340, 236}, {240, 214}, {180, 234}, {150, 196}, {180, 158}, {240, 178},
      {340, 158}, {440, 148}, {540, 148}};
  p.rope(path, {kRope, {}, {10, 11, 12}, 13});
  p.label(20, 120, "ΚΥΡΙΟ ΜΕΡΟΣ", "STANDING PART");
  p.label(460, 290, "ΑΚΡΟ", "END", Align::Right);
}

void drawCloveHitch(Painter& p) {
  p.title("ΨΑΛΙΔΙ", "CLOVE HITCH");
  Canvas& c = p.canvas();
  // The spar, seen from the side.
  const double top = 140, bottom = 200;
  c.fillPolygon(std::vector<Point>{{50, top}, {420, top}, {420, bottom}, {50, bottom}}, kLightGrey);
  c.fillPolygon(ellipsePoints({420, 170}, 12, 30, -90, 90), kLightGrey);
  c.strokePolyline({{50, top}, {420, top}}, kOutline);
  c.strokePolyline({{50, bottom}, {420, bottom}}, kOutline);
  c.strokePolyline(ellipsePoints({420, 170}, 12, 30, 0, 360), kOutline);
  c.strokePolyline(ellipsePoints({50, 170}, 12, 30, 90, 270), kOutline);
  // The rope: up across the front, behind the spar, up across the front again over the first
  // turn, behind the spar once more, and out under the crossing.
  const std::vector<Point> path{{150, 340}, {175, 280}, {196, 226}, {208, bottom}, {232, 170}, {258, top},
                                {268, top},  {280, bottom}, {256, 170}, {228, top}, {236, top},
                                {244, bottom}, {252, 240}, {290, 300}, {320, 340}};
  p.rope(path, {kRope, {}, {5, 6, 9, 10}, -1});
  p.label(60, 120, "ΚΟΝΤΑΡΙ", "SPAR");
  p.label(90, 300, "ΚΥΡΙΟ ΜΕΡΟΣ", "STANDING PART");
  p.label(330, 300, "ΑΚΡΟ", "END");
}

void drawFigureOfEight(Painter& p) {
  p.title("ΟΚΤΑΡΙ", "FIGURE-OF-EIGHT KNOT");
  const std::vector<Point> path{
      {20, 250},  {120, 250}, {200, 230}, {250, 180}, {300, 120}, {350, 110}, {375, 160},
      {340, 210}, {280, 200}, {240, 180}, {190, 130}, {140, 120}, {115, 170}, {150, 220},
      {220, 230}, {300, 190}, {360, 185}, {460, 190}};
  p.rope(path, {kRope, {}, {}, -1});
  p.label(20, 290, "ΚΥΡΙΟ ΜΕΡΟΣ", "STANDING PART");
  p.label(460, 230, "ΑΚΡΟ", "END", Align::Right);
}

}  // namespace quorvel::figgen
