// Drawings of knots: the bowline, the reef knot, the clove hitch and the figure-of-eight knot.
// Each rope is a smooth curve through hand-placed points; the rope code finds the crossings and
// lets the passes alternate over and under, as they do in these knots.
#include "tools/sample/figgen/DrawingSet.h"

namespace quorvel::figgen {

namespace {

constexpr double kRope = 16;

}  // namespace

void drawBowline(Painter& p) {
  p.title("ΜΠΟΥΛΙΝΙ", "BOWLINE");
  // From the standing part: down into the small loop, round it and over the standing part, down
  // and round the big loop, up through the small loop, round behind the standing part and back
  // down through the small loop.
  const std::vector<Point> path{
      {340, -30}, {318, 30},  {298, 80},  {283, 130}, {270, 178}, {250, 228}, {215, 244}, {180, 222},
      {172, 172}, {205, 136}, {262, 132}, {322, 170}, {350, 235}, {340, 300}, {282, 340}, {205, 338},
      {150, 300}, {140, 250}, {166, 222}, {206, 192}, {224, 150}, {240, 112}, {268, 94},  {304, 98},
      {318, 126}, {306, 170}, {278, 200}, {240, 214}, {224, 248}, {226, 300}};
  p.rope(path, {14, {}, {}, -1});
  p.label(350, 40, "ΚΥΡΙΟ ΜΕΡΟΣ", "STANDING PART");
  p.label(364, 312, "ΘΗΛΙΑ", "LOOP");
  p.label(70, 190, "ΜΑΤΙ", "SMALL LOOP");
  p.leader({104, 187}, {166, 190});
  p.label(70, 300, "ΑΚΡΟ", "WORKING END");
  p.leader({104, 297}, {220, 296});
}

void drawReefKnot(Painter& p) {
  p.title("ΣΤΑΥΡΟΚΟΜΠΟΣ", "REEF KNOT");
  // The first rope comes in from the left, bends round on the right and goes back out to the
  // left; the second, grey, does the same from the right. The two are joined far outside the
  // picture, so that one curve draws both.
  const std::vector<Point> path{
      {-60, 186}, {80, 188},  {205, 192}, {275, 160}, {306, 170}, {316, 205}, {306, 240},
      {275, 250}, {205, 218}, {80, 222},  {-60, 224}, {-90, 420}, {570, 420}, {540, 224},
      {400, 222}, {275, 218}, {205, 250}, {174, 240}, {164, 205}, {174, 170}, {205, 160},
      {275, 192}, {400, 188}, {540, 186}};
  p.rope(path, {kRope, {}, {10, 11, 12}, 13});
  p.text(240, 300, "ΚΑΘΕ ΣΧΟΙΝΙ ΜΠΑΙΝΕΙ ΚΑΙ ΒΓΑΙΝΕΙ ΑΠΟ ΤΗΝ ΙΔΙΑ ΠΛΕΥΡΑ", 7.5, Align::Centre);
  p.text(240, 314, "BOTH PARTS OF EACH ROPE LIE ON THE SAME SIDE", 6.5, Align::Centre, 80);
}

void drawCloveHitch(Painter& p) {
  p.title("ΨΑΛΙΔΙ", "CLOVE HITCH");
  Canvas& c = p.canvas();
  // The spar, seen from the side.
  const double top = 130, bottom = 200, mid = (top + bottom) / 2, half = (bottom - top) / 2;
  c.fillPolygon(std::vector<Point>{{50, top}, {420, top}, {420, bottom}, {50, bottom}}, kLightGrey);
  c.fillPolygon(ellipsePoints({420, mid}, 13, half, -90, 90), kLightGrey);
  c.strokePolyline({{50, top}, {420, top}}, kOutline);
  c.strokePolyline({{50, bottom}, {420, bottom}}, kOutline);
  c.strokePolyline(ellipsePoints({420, mid}, 13, half, 0, 360), kOutline);
  c.strokePolyline(ellipsePoints({50, mid}, 13, half, 90, 270), kOutline);
  // The rope: up across the front, behind the spar, up across the front again over the first
  // turn, behind the spar once more, and out under the crossing.
  const std::vector<Point> path{{130, 350},        {165, 280},        {192, 228}, {206, bottom + 4},
                                {236, mid},        {268, top - 6},    {284, bottom + 6}, {258, mid},
                                {228, top - 6},    {240, bottom + 6}, {250, 240}, {290, 300},
                                {320, 350}};
  p.rope(path, {14, {}, {5, 8}, -1});
  p.label(60, 116, "ΚΟΝΤΑΡΙ", "SPAR");
  p.label(40, 290, "ΚΥΡΙΟ ΜΕΡΟΣ", "STANDING PART");
  p.leader({126, 293}, {162, 290});
  p.label(330, 290, "ΑΚΡΟ", "END");
  p.leader({328, 287}, {292, 287});
}

void drawFigureOfEight(Painter& p) {
  p.title("ΟΚΤΑΡΙ", "FIGURE-OF-EIGHT KNOT");
  // The end goes over the standing part to make a loop, round behind the standing part, and back
  // through the loop from the front.
  const std::vector<Point> path{
      {-40, 232}, {100, 232}, {150, 231}, {212, 229}, {256, 225}, {300, 214}, {334, 180},
      {330, 124}, {290, 94},  {240, 100}, {212, 134}, {207, 172}, {212, 230}, {222, 276},
      {200, 306}, {160, 302}, {140, 266}, {150, 228}, {168, 186}, {204, 166}, {238, 184},
      {256, 226}, {274, 272}, {330, 302}, {410, 306}, {460, 300}};
  p.rope(path, {kRope, {}, {}, -1});
  p.label(20, 270, "ΚΥΡΙΟ ΜΕΡΟΣ", "STANDING PART");
  p.label(460, 332, "ΑΚΡΟ", "END", Align::Right);
}

}  // namespace quorvel::figgen
