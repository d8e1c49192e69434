// Drawings of buoyage and of directions at sea: the IALA lateral and cardinal marks, the compass
// rose and the points of sail.
#include <cmath>
#include <numbers>
#include <string>

#include "tools/sample/figgen/DrawingSet.h"

namespace quorvel::figgen {

namespace {

constexpr Hatch kRed{90, 5, 1.4};    // vertical stripes stand for red
constexpr Hatch kGreen{45, 5, 1.4};  // diagonal stripes stand for green

std::vector<Point> wave(double x0, double x1, double y) {
  std::vector<Point> pts;
  for (double x = x0; x <= x1; x += 1.5) pts.push_back({x, y + 2.5 * std::sin((x - x0) / 18 * 2 * std::numbers::pi)});
  return pts;
}

// Bearing b degrees clockwise from north (up on the page).
Point bearing(Point from, double radius, double b) {
  const double a = b * std::numbers::pi / 180.0;
  return {from.x + radius * std::sin(a), from.y - radius * std::cos(a)};
}

void hatchedShape(Painter& p, const std::vector<Point>& contour, const Hatch& hatch) {
  p.canvas().fillPolygon(contour, kWhite);
  p.canvas().hatchPolygon(contour, hatch);
  p.canvas().strokePolyline(contour, kOutline, kBlack, true);
}

// A cone topmark of the cardinal marks: apex up or down, centred at (x, y), 12 pixels high.
void cone(Painter& p, double x, double y, bool up) {
  const double h = up ? -6 : 6;
  p.shape({{x, y + h}, {x + 8, y - h}, {x - 8, y - h}}, kBlack, 1);
}

enum class Band { Black, Yellow };

// A pillar buoy standing on the water at (x, waterY) with its body split into bands (top first)
// and two cone topmarks.
void pillar(Painter& p, double x, double waterY, const std::vector<Band>& bands, bool upperUp, bool lowerUp) {
  Canvas& c = p.canvas();
  const double height = 48, bottomHalf = 16, topHalf = 9;
  const double top = waterY - height;
  for (size_t i = 0; i < bands.size(); ++i) {
    const double y0 = top + height * i / bands.size();
    const double y1 = top + height * (i + 1) / bands.size();
    auto half = [&](double y) { return topHalf + (bottomHalf - topHalf) * (y - top) / height; };
    c.fillPolygon(std::vector<Point>{{x - half(y0), y0}, {x + half(y0), y0}, {x + half(y1), y1}, {x - half(y1), y1}},
                  bands[i] == Band::Black ? kBlack : kLightGrey);
  }
  c.strokePolyline({{x - topHalf, top}, {x + topHalf, top}, {x + bottomHalf, waterY}, {x - bottomHalf, waterY}},
                   kOutline, kBlack, true);
  c.fillPolygon(std::vector<Point>{{x - 20, waterY}, {x + 20, waterY}, {x + 16, waterY + 6}, {x - 16, waterY + 6}},
                kBlack);
  c.strokeLine({x, top}, {x, top - 34}, 2);
  cone(p, x, top - 30, upperUp);
  cone(p, x, top - 14, lowerUp);
}

}  // namespace

void drawLateralMarks(Painter& p) {
  p.title("ΠΛΕΥΡΙΚΑ ΣΗΜΑΝΤΡΑ - IALA ΠΕΡΙΟΧΗ Α", "LATERAL MARKS, IALA REGION A");
  Canvas& c = p.canvas();
  const double water = 236;

  // Port hand: red can buoy with a can topmark.
  const double px = 140;
  hatchedShape(p, {{px - 30, 154}, {px + 30, 154}, {px + 30, water + 10}, {px - 30, water + 10}}, kRed);
  c.fillPolygon(ellipsePoints({px, 154}, 30, 7, 0, 360), kWhite);
  c.strokePolyline(ellipsePoints({px, 154}, 30, 7, 0, 360), kOutline);
  c.strokeLine({px, 147}, {px, 106}, 3);
  hatchedShape(p, {{px - 11, 74}, {px + 11, 74}, {px + 11, 104}, {px - 11, 104}}, kRed);

  // Starboard hand: green conical buoy with a cone topmark, point up.
  const double sx = 340;
  hatchedShape(p, {{sx, 136}, {sx + 36, water + 10}, {sx - 36, water + 10}}, kGreen);
  c.strokeLine({sx, 136}, {sx, 106}, 3);
  hatchedShape(p, {{sx, 74}, {sx + 13, 104}, {sx - 13, 104}}, kGreen);

  // The water hides the lower part of the buoys; the mooring chains go down from them.
  c.fillPolygon(std::vector<Point>{{0, water}, {480, water}, {480, water + 30}, {0, water + 30}}, kWhite);
  c.strokePolyline(wave(10, 470, water), 1.5);
  for (double x : {px, sx}) c.dashPolyline({{x, water + 8}, {x + 5, water + 20}}, 2, 3, 3);

  p.label(px, 56, "ΑΡΙΣΤΕΡΗ ΠΛΕΥΡΑ", "PORT HAND", Align::Centre);
  p.label(sx, 56, "ΔΕΞΙΑ ΠΛΕΥΡΑ", "STARBOARD HAND", Align::Centre);
  p.label(px, 276, "ΚΟΚΚΙΝΟ, ΚΥΛΙΝΔΡΙΚΟ", "RED, CAN", Align::Centre);
  p.label(sx, 276, "ΠΡΑΣΙΝΟ, ΚΩΝΙΚΟ", "GREEN, CONE", Align::Centre);
  p.text(240, 314, "ΕΙΣΕΡΧΟΜΕΝΟΙ ΣΤΟ ΛΙΜΑΝΙ: ΚΟΚΚΙΝΟ ΑΡΙΣΤΕΡΑ, ΠΡΑΣΙΝΟ ΔΕΞΙΑ", 7.5, Align::Centre);
  p.text(240, 327, "ENTERING HARBOUR: RED TO PORT, GREEN TO STARBOARD", 6.5, Align::Centre, 80);
  // Legend of the colour stripes.
  const std::vector<Point> redKey{{150, 338}, {166, 338}, {166, 352}, {150, 352}};
  c.hatchPolygon(redKey, kRed);
  c.strokePolyline(redKey, kThin, kBlack, true);
  p.text(172, 350, "ΚΟΚΚΙΝΟ", 7);
  const std::vector<Point> greenKey{{260, 338}, {276, 338}, {276, 352}, {260, 352}};
  c.hatchPolygon(greenKey, kGreen);
  c.strokePolyline(greenKey, kThin, kBlack, true);
  p.text(282, 350, "ΠΡΑΣΙΝΟ", 7);
}

void drawCardinalMarks(Painter& p) {
  p.title("ΣΗΜΑΝΤΡΑ ΚΑΡΔΙΝΑΛΙΟΥ ΣΥΣΤΗΜΑΤΟΣ", "CARDINAL MARKS");
  Canvas& c = p.canvas();
  const Point danger{240, 196};
  // Quadrant borders: north-east, south-east, south-west and north-west of the danger.
  for (double b : {45.0, 135.0, 225.0, 315.0})
    c.dashPolyline({bearing(danger, 40, b), bearing(danger, 150, b)}, kThin, 5, 4);
  // The danger: a rock awash.
  c.strokeLine({danger.x - 10, danger.y}, {danger.x + 10, danger.y}, 2.5);
  c.strokeLine({danger.x, danger.y - 10}, {danger.x, danger.y + 10}, 2.5);
  for (double b : {45.0, 135.0, 225.0, 315.0}) c.fillCircle(bearing(danger, 9, b), 2, kBlack);
  p.label(danger.x, danger.y + 24, "ΚΙΝΔΥΝΟΣ", "DANGER", Align::Centre);

  using enum Band;
  pillar(p, 240, 138, {Black, Yellow}, true, true);
  p.label(264, 122, "ΒΟΡΕΙΟ", "NORTH");
  pillar(p, 240, 340, {Yellow, Black}, false, false);
  p.label(264, 324, "ΝΟΤΙΟ", "SOUTH");
  pillar(p, 396, 232, {Black, Yellow, Black}, true, false);
  p.label(396, 250, "ΑΝΑΤΟΛΙΚΟ", "EAST", Align::Centre);
  pillar(p, 84, 232, {Yellow, Black, Yellow}, false, true);
  p.label(84, 250, "ΔΥΤΙΚΟ", "WEST", Align::Centre);

  c.fillPolygon(std::vector<Point>{{16, 318}, {30, 318}, {30, 330}, {16, 330}}, kBlack);
  p.text(36, 329, "ΜΑΥΡΟ", 7);
  c.fillPolygon(std::vector<Point>{{16, 336}, {30, 336}, {30, 348}, {16, 348}}, kLightGrey);
  c.strokePolyline({{16, 336}, {30, 336}, {30, 348}, {16, 348}}, kThin, kBlack, true);
  p.text(36, 347, "ΚΙΤΡΙΝΟ", 7);
}

void drawCompassRose(Painter& p) {
  p.title("ΑΝΕΜΟΛΟΓΙΟ ΠΥΞΙΔΑΣ", "COMPASS ROSE, 32 POINTS");
  Canvas& c = p.canvas();
  const Point o{240, 204};
  const double outer = 132, inner = 108;
  c.strokeCircle(o, outer, 2);
  c.strokeCircle(o, inner, 1.5);
  for (int d = 0; d < 360; d += 5) {
    const double len = d % 10 == 0 ? 9 : 5;
    c.strokeLine(bearing(o, outer, d), bearing(o, outer - len, d), d % 10 == 0 ? 1.4 : 1);
  }
  for (int d = 0; d < 360; d += 30) {
    char text[4];
    text[0] = static_cast<char>('0' + d / 100);
    text[1] = static_cast<char>('0' + d / 10 % 10);
    text[2] = static_cast<char>('0' + d % 10);
    text[3] = '\0';
    const Point q = bearing(o, (outer + inner) / 2 - 3, d);
    p.text(q.x, q.y + 3.5, text, 7, Align::Centre);
  }

  // The 32 points: 16 quarter points as lines, then half points, intercardinal and cardinal points
  // as spikes with one half black.
  for (int k = 0; k < 32; k += 2) c.strokeLine(o, bearing(o, 62, k * 11.25 + 11.25), 1);
  auto spike = [&](double b, double length, double halfWidth) {
    const Point tip = bearing(o, length, b);
    const Point left = bearing(o, halfWidth, b - 90);
    const Point right = bearing(o, halfWidth, b + 90);
    c.fillPolygon(std::vector<Point>{o, tip, right}, kBlack);
    c.fillPolygon(std::vector<Point>{o, left, tip}, kWhite);
    c.strokePolyline({o, left, tip, right}, 1.5, kBlack, true);
  };
  for (int k = 0; k < 8; ++k) spike(22.5 + 45 * k, 76, 6);
  for (int k = 0; k < 4; ++k) spike(45 + 90 * k, 92, 9);
  for (int k = 0; k < 4; ++k) spike(90 * k, 104, 12);
  c.fillCircle(o, 4, kBlack);

  const char* cardinal[] = {"Β", "Α", "Ν", "Δ"};
  for (int k = 0; k < 4; ++k) {
    const Point q = bearing(o, outer + 12, 90.0 * k);
    p.text(q.x, q.y + 5, cardinal[k], 10, Align::Centre);
  }
  const char* between[] = {"ΒΑ", "ΝΑ", "ΝΔ", "ΒΔ"};
  for (int k = 0; k < 4; ++k) {
    const Point q = bearing(o, outer + 16, 45.0 + 90.0 * k);
    p.text(q.x, q.y + 4, between[k], 8, Align::Centre);
  }
  p.text(14, 330, "Β ΒΟΡΡΑΣ (N)   Α ΑΝΑΤΟΛΗ (E)", 6.5);
  p.text(14, 344, "Ν ΝΟΤΟΣ (S)   Δ ΔΥΣΗ (W)", 6.5);
  p.text(466, 330, "1 ΡΟΜΒΟΣ = 11,25°", 6.5, Align::Right);
  p.text(466, 344, "1 POINT = 11.25°", 6.5, Align::Right, 80);
}

void drawPointsOfSail(Painter& p) {
  p.title("ΠΛΕΥΣΕΙΣ ΙΣΤΙΟΦΟΡΟΥ", "POINTS OF SAIL");
  Canvas& c = p.canvas();
  const Point o{240, 196};
  const double r = 112;

  // The wind and the sector no sailing boat can sail into.
  std::vector<Point> noGo{o};
  for (double b = -42; b <= 42; b += 2) noGo.push_back(bearing(o, 84, b));
  c.fillPolygon(noGo, kLightGrey);
  p.text(240, 132, "ΝΕΚΡΗ ΖΩΝΗ", 7, Align::Centre);
  p.text(240, 143, "NO-GO ZONE", 5.5, Align::Centre, 80);
  p.arrow({240, 48}, {240, 96}, 3, 12);
  p.label(252, 66, "ΑΝΕΜΟΣ", "WIND");

  // A boat heading away from the centre on bearing b, its sail eased out to leeward.
  auto boat = [&](double b, double sailAngle) {
    const Point at = bearing(o, r, b);
    c.dashPolyline({o, bearing(o, r - 26, b)}, kThin, 4, 3);
    auto local = [&](double ahead, double side) {
      const Point f = bearing(at, ahead, b);
      return bearing(f, side, b + 90);
    };
    std::vector<Point> hull;
    for (const Point& q : cubicPoints(local(22, 0), local(12, 9), local(-14, 9), local(-20, 6), 10)) hull.push_back(q);
    for (const Point& q : cubicPoints(local(-20, -6), local(-14, -9), local(12, -9), local(22, 0), 10)) hull.push_back(q);
    p.shape(hull, kWhite, 1.5);
    // The sail swings to the side away from the wind: for bearings east of north the wind comes
    // over the port side, so the sail lies to starboard.
    const double side = std::sin(b * std::numbers::pi / 180.0) >= 0 ? 1 : -1;
    const Point mast = local(6, 0);
    const Point clew = bearing(mast, 24, b + 180 - side * sailAngle);
    c.strokeLine(mast, clew, 3.5);
    c.fillCircle(mast, 2.5, kBlack);
  };
  const double headings[] = {45, 90, 135, 180, 225, 270, 315};
  const double sails[] = {12, 40, 62, 85, 62, 40, 12};
  for (int k = 0; k < 7; ++k) boat(headings[k], sails[k]);

  p.label(344, 100, "ΟΡΤΣΑ", "CLOSE-HAULED");
  p.label(378, 182, "ΠΛΑΓΙΟΔΡΟΜΙΑ", "BEAM REACH");
  p.label(352, 300, "ΑΝΟΙΧΤΗ", "");
  p.label(352, 313, "ΠΛΑΓΙΟΔΡΟΜΙΑ", "BROAD REACH");
  p.label(262, 340, "ΠΡΙΜΑ", "RUNNING");
  const char* angles[] = {"45°", "90°", "135°", "180°"};
  for (int k = 0; k < 4; ++k) {
    const Point q = bearing(o, 58, 45.0 * (k + 1) - 12);
    p.text(q.x, q.y + 3, angles[k], 6.5, Align::Centre);
  }
  p.text(20, 330, "ΓΩΝΙΑ ΠΟΡΕΙΑΣ ΩΣ ΠΡΟΣ", 6.5);
  p.text(20, 344, "ΤΗ ΔΙΕΥΘΥΝΣΗ ΤΟΥ ΑΝΕΜΟΥ", 6.5);
}

}  // namespace quorvel::figgen
