// Drawings of the ship and its gear: anchors, the midship section, the main dimensions, the sloop
// rig and the navigation lights.
#include <cmath>
#include <numbers>

#include "tools/sample/figgen/DrawingSet.h"

namespace quorvel::figgen {

namespace {

Point along(Point a, Point b, double t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }

Point polar(Point centre, double radius, double degrees) {
  const double a = degrees * std::numbers::pi / 180.0;
  return {centre.x + radius * std::cos(a), centre.y + radius * std::sin(a)};
}

// The part of a closed polygon that lies above the horizontal line y (smaller y values).
std::vector<Point> clipAbove(const std::vector<Point>& polygon, double y) {
  std::vector<Point> out;
  for (size_t i = 0; i < polygon.size(); ++i) {
    const Point a = polygon[i];
    const Point b = polygon[(i + 1) % polygon.size()];
    const bool aIn = a.y <= y;
    const bool bIn = b.y <= y;
    if (aIn) out.push_back(a);
    if (aIn != bIn) out.push_back({a.x + (b.x - a.x) * (y - a.y) / (b.y - a.y), y});
  }
  return out;
}

std::vector<Point> wave(double x0, double x1, double y, double amplitude = 2.5, double length = 18) {
  std::vector<Point> pts;
  for (double x = x0; x <= x1; x += 1.5) pts.push_back({x, y + amplitude * std::sin((x - x0) / length * 2 * std::numbers::pi)});
  return pts;
}

// A palm of an anchor at the end of an arm, pointing along the unit direction (tx, ty).
void fluke(Painter& p, Point end, double tx, double ty) {
  const double nx = -ty;
  const double ny = tx;
  p.shape({{end.x - tx * 4, end.y - ty * 4},
           {end.x + tx * 10 + nx * 15, end.y + ty * 10 + ny * 15},
           {end.x + tx * 36, end.y + ty * 36},
           {end.x + tx * 10 - nx * 15, end.y + ty * 10 - ny * 15}},
          kWhite);
}

}  // namespace

void drawAnchor(Painter& p) {
  p.title("ΑΓΚΥΡΕΣ", "ANCHORS");

  // Admiralty pattern anchor.
  const double x = 140;
  const Point armCentre{x, 193};
  p.canvas().strokeCircle({x, 64}, 10, 3.5);
  p.member({{x, 75}, {x, 272}}, 12);
  p.member({{75, 92}, {205, 92}}, 9);
  for (double end : {72.0, 208.0}) {
    p.canvas().fillCircle({end, 92}, 6.5, kBlack);
    p.canvas().fillCircle({end, 92}, 4.5, kWhite);
  }
  p.member(ellipsePoints(armCentre, 80, 80, 90, 152), 12);
  p.member(ellipsePoints(armCentre, 80, 80, 90, 28), 12);
  p.canvas().fillCircle({x, 273}, 8, kBlack);
  p.canvas().fillCircle({x, 273}, 6, kWhite);
  for (double a : {152.0, 28.0}) {
    const Point end = polar(armCentre, 80, a);
    const double r = a * std::numbers::pi / 180.0;
    const double sign = a > 90 ? 1 : -1;
    fluke(p, end, -std::sin(r) * sign, std::cos(r) * sign);
  }
  p.label(162, 62, "ΚΡΙΚΟΣ", "RING");
  p.leader({160, 59}, {150, 64});
  p.label(12, 70, "ΖΥΓΟΣ", "STOCK");
  p.leader({40, 74}, {64, 90});
  p.label(160, 160, "ΑΤΡΑΚΤΟΣ", "SHANK");
  p.leader({158, 157}, {146, 165});
  p.label(12, 182, "ΠΑΛΑΜΗ", "FLUKE");
  p.leader({40, 186}, {58, 222});
  p.label(196, 292, "ΒΡΑΧΙΟΝΑΣ", "ARM");
  p.leader({210, 282}, {190, 262});
  p.label(x, 302, "ΚΟΡΩΝΗ", "CROWN", Align::Centre);
  p.leader({x, 292}, {x, 281});
  p.text(x, 338, "ΑΓΚΥΡΑ ΝΑΥΑΡΧΕΙΟΥ", 9, Align::Centre);
  p.text(x, 351, "ADMIRALTY ANCHOR", 6.5, Align::Centre, 80);

  // Stockless anchor: the palms turn on the crown.
  const double s = 365;
  p.canvas().strokeCircle({s, 70}, 10, 3.5);
  for (double side : {-1.0, 1.0}) {
    p.shape({{s + side * 22, 262},
             {s + side * 44, 256},
             {s + side * 50, 196},
             {s + side * 43, 170},
             {s + side * 34, 192},
             {s + side * 24, 238}},
            kWhite);
  }
  p.member({{s, 81}, {s, 240}}, 16);
  p.shape({{s - 32, 236}, {s + 32, 236}, {s + 22, 268}, {s - 22, 268}}, kWhite);
  p.label(s + 52, 150, "ΠΑΛΑΜΕΣ", "FLUKES");
  p.leader({s + 60, 156}, {s + 46, 186});
  p.label(s, 292, "ΚΟΡΩΝΗ", "CROWN", Align::Centre);
  p.leader({s, 282}, {s, 262});
  p.label(s - 70, 130, "ΑΤΡΑΚΤΟΣ", "SHANK", Align::Centre);
  p.leader({s - 42, 127}, {s - 9, 135});
  p.text(s, 338, "ΑΓΚΥΡΑ ΧΩΡΙΣ ΖΥΓΟ", 9, Align::Centre);
  p.text(s, 351, "STOCKLESS ANCHOR", 6.5, Align::Centre, 80);
}

void drawMidshipSection(Painter& p) {
  p.title("ΕΓΚΑΡΣΙΑ ΤΟΜΗ ΜΕΣΟΥ", "MIDSHIP SECTION");
  Canvas& c = p.canvas();
  const double left = 110, right = 370, bottom = 302, tankTop = 262, bilge = 40;
  auto deckY = [](double x) { return 108 + 10 * std::pow((x - 240) / 130, 2); };

  // Double bottom: the floor plate between the bottom shell and the tank top.
  std::vector<Point> floor{{left, tankTop}, {right, tankTop}};
  for (const Point& q : ellipsePoints({right - bilge, tankTop}, bilge, bilge, 0, 90)) floor.push_back(q);
  for (const Point& q : ellipsePoints({left + bilge, tankTop}, bilge, bilge, 90, 180)) floor.push_back(q);
  c.fillPolygon(floor, kLightGrey);
  for (double hx : {160.0, 200.0, 280.0, 320.0}) {
    c.fillPolygon(ellipsePoints({hx, 282}, 12, 8, 0, 360), kWhite);
    c.strokePolyline(ellipsePoints({hx, 282}, 12, 8, 0, 360), kThin);
  }
  c.strokeLine({240, tankTop}, {240, bottom}, 3);
  c.strokeLine({left, tankTop}, {right, tankTop}, 3);

  // Frames along the sides, with their brackets at the tank top and under the beam.
  for (double side : {-1.0, 1.0}) {
    const double shell = side < 0 ? left : right;
    const double inner = shell - side * 12;
    std::vector<Point> frame{{shell, deckY(shell)}, {inner, deckY(inner) + 8}, {inner, tankTop}, {shell, tankTop}};
    p.shape(frame, kMidGrey, 1.5);
    p.shape({{inner, tankTop}, {inner, tankTop - 26}, {inner - side * 26, tankTop}}, kMidGrey, 1.5);
    p.shape({{inner, deckY(inner) + 10}, {inner, deckY(inner) + 34}, {inner - side * 28, deckY(inner - side * 28) + 10}},
            kMidGrey, 1.5);
  }
  // Deck beam under the deck.
  std::vector<Point> beam;
  for (double x = left; x <= right; x += 4) beam.push_back({x, deckY(x)});
  for (double x = right; x >= left; x -= 4) beam.push_back({x, deckY(x) + 10});
  p.shape(beam, kMidGrey, 1.5);
  // Pillar from the tank top to the beam.
  p.member({{240, tankTop - 1}, {240, deckY(240) + 11}}, 8);

  // Shell plating and deck.
  std::vector<Point> shell{{left, deckY(left)}, {left, tankTop}};
  for (const Point& q : ellipsePoints({left + bilge, tankTop}, bilge, bilge, 180, 90)) shell.push_back(q);
  for (const Point& q : ellipsePoints({right - bilge, tankTop}, bilge, bilge, 90, 0)) shell.push_back(q);
  shell.push_back({right, deckY(right)});
  c.strokePolyline(shell, 3);
  std::vector<Point> deck;
  for (double x = left - 4; x <= right + 4; x += 4) deck.push_back({x, deckY(x)});
  c.strokePolyline(deck, 3);
  c.fillPolygon(std::vector<Point>{{215, bottom}, {265, bottom}, {265, bottom + 6}, {215, bottom + 6}}, kBlack);

  // Waterline outside the hull.
  c.dashPolyline({{62, 205}, {left - 4, 205}}, kThin, 6, 4);
  c.dashPolyline({{right + 4, 205}, {418, 205}}, kThin, 6, 4);

  p.label(240, 84, "ΚΑΤΑΣΤΡΩΜΑ", "DECK", Align::Centre);
  p.label(150, 152, "ΖΥΓΟΣ", "BEAM");
  p.leader({172, 143}, {190, 121});
  p.label(132, 196, "ΝΟΜΕΑΣ", "FRAME");
  p.leader({130, 193}, {118, 193});
  p.label(250, 202, "ΥΠΟΣΤΥΛΩΜΑ", "PILLAR");
  p.leader({248, 199}, {242, 199});
  p.label(380, 276, "ΔΙΠΥΘΜΕΝΑ", "DOUBLE", Align::Left);
  p.text(380, 298, "BOTTOM", kSubLabelSize, Align::Left, 80);
  p.leader({378, 273}, {352, 273});
  p.label(424, 202, "ΙΣΑΛΟΣ", "WATERLINE", Align::Left);
  p.label(150, 330, "ΔΑΠΕΔΟ", "FLOOR", Align::Centre);
  p.leader({150, 320}, {180, 290});
  p.label(240, 330, "ΤΡΟΠΙΔΑ", "KEEL", Align::Centre);
  p.leader({240, 320}, {240, 308});
  p.label(345, 330, "ΕΞΩΤΕΡΙΚΟ ΕΛΑΣΜΑ", "SHELL PLATING", Align::Centre);
  p.leader({352, 320}, {369, 240});
}

void drawHullDimensions(Painter& p) {
  p.title("ΚΥΡΙΕΣ ΔΙΑΣΤΑΣΕΙΣ ΠΛΟΙΟΥ", "MAIN DIMENSIONS");
  Canvas& c = p.canvas();
  const double waterline = 215, keel = 250;
  const double aft = 58, fore = 445, ap = 70;
  const Point stemFoot{410, 235}, stemHead{fore, 140};
  const double fp = stemFoot.x + (stemHead.x - stemFoot.x) * (stemFoot.y - waterline) / (stemFoot.y - stemHead.y);

  const std::vector<Point> hull{{aft, 150},   {aft, 180},   {70, 214},   {88, 240},  {110, keel}, {390, keel},
                                {402, 246},   stemFoot,     stemHead,    {400, 146}, {300, 153},  {200, 155},
                                {120, 153}};
  // Underwater body grey, the rest white.
  c.fillPolygon(hull, kLightGrey);
  c.fillPolygon(clipAbove(hull, waterline), kWhite);
  c.strokePolyline(hull, kOutline, kBlack, true);
  // Superstructure, funnel and mast.
  p.shape({{78, 151}, {78, 100}, {138, 100}, {138, 153}}, kWhite);
  for (double wx = 86; wx < 132; wx += 12) c.fillPolygon(std::vector<Point>{{wx, 106}, {wx + 7, 106}, {wx + 7, 112}, {wx, 112}}, kBlack);
  p.shape({{96, 100}, {101, 74}, {121, 74}, {124, 100}}, kMidGrey);
  c.strokeLine({380, 146}, {380, 104}, 2.5);
  // Rudder and propeller.
  c.strokeLine({ap, 205}, {ap, 222}, 2.5);
  p.shape({{62, 222}, {78, 222}, {79, 250}, {63, 250}}, kMidGrey);
  p.shape(ellipsePoints({88, 236}, 3.5, 10, 0, 360), kMidGrey, 1.5);

  c.strokePolyline(wave(16, 466, waterline), 1.5);
  // Perpendiculars.
  c.dashPolyline({{ap, 96}, {ap, 292}}, kThin, 6, 4);
  c.dashPolyline({{fp, 96}, {fp, 292}}, kThin, 6, 4);
  p.text(ap, 92, "AP", 7.5, Align::Centre);
  p.text(fp, 92, "FP", 7.5, Align::Centre);

  // Length overall, between the extreme ends.
  c.dashPolyline({{aft, 146}, {aft, 56}}, kThin, 3, 3);
  c.dashPolyline({{fore, 136}, {fore, 56}}, kThin, 3, 3);
  p.dimension({aft, 64}, {fore, 64});
  p.text(250, 58, "ΟΛΙΚΟ ΜΗΚΟΣ (LOA)", kLabelSize, Align::Centre);
  // Length between perpendiculars.
  p.dimension({ap, 284}, {fp, 284});
  p.label((ap + fp) / 2, 302, "ΜΗΚΟΣ ΜΕΤΑΞΥ ΚΑΘΕΤΩΝ (LBP)", "LENGTH BETWEEN PERPENDICULARS", Align::Centre);
  // Draught and freeboard.
  p.dimension({262, waterline}, {262, keel});
  p.label(270, 236, "ΒΥΘΙΣΜΑ", "DRAUGHT");
  p.dimension({330, 153}, {330, waterline});
  p.label(338, 184, "ΕΞΑΛΑ", "FREEBOARD");
  p.label(424, 240, "ΙΣΑΛΟΣ", "WATERLINE");
  p.text(240, 340, "AP: ΠΡΥΜΝΑΙΑ ΚΑΘΕΤΟΣ      FP: ΠΡΩΡΑΙΑ ΚΑΘΕΤΟΣ", 7.5, Align::Centre);
}

void drawSloopSails(Painter& p) {
  p.title("ΙΣΤΙΟΦΟΡΙΑ SLOOP", "SLOOP RIG");
  Canvas& c = p.canvas();
  const Point masthead{240, 56}, head{236, 62}, tack{236, 252}, clew{128, 254};
  const Point bow{404, 292}, stern{70, 298};
  const Point forestayTop{240, 70};

  // Hull, keel and water.
  p.shape({{66, 296}, {408, 290}, {388, 313}, {300, 325}, {180, 325}, {100, 316}}, kWhite);
  p.shape({{222, 324}, {260, 324}, {255, 352}, {235, 352}}, kMidGrey);
  c.strokePolyline(wave(16, 466, 314, 2, 16), 1.5);

  // Mainsail with a little roach on the leech.
  std::vector<Point> main{tack};
  for (const Point& q : cubicPoints(clew, {158, 190}, {194, 124}, head)) main.insert(main.begin(), q);
  p.shape(main, kLightGrey);
  // Jib along the forestay.
  const Point jibHead = along(forestayTop, bow, 0.08);
  const Point jibTack = along(forestayTop, bow, 0.93);
  const Point jibClew{306, 262};
  std::vector<Point> jib{jibHead};
  for (const Point& q : cubicPoints(jibHead, {272, 140}, {296, 210}, jibClew)) jib.push_back(q);
  for (const Point& q : cubicPoints(jibClew, {330, 272}, {360, 272}, jibTack)) jib.push_back(q);
  p.shape(jib, kLightGrey);

  c.strokeLine(forestayTop, bow, 1.5);
  c.strokeLine(masthead, stern, 1.5);
  c.strokeLine(masthead, {240, 294}, 4);
  c.strokeLine({240, 255}, {clew.x - 4, 258}, 4);

  p.label(250, 62, "ΚΑΤΑΡΤΙ", "MAST");
  p.leader({248, 59}, {242, 59});
  p.label(196, 78, "ΚΕΦΑΛΗ", "HEAD", Align::Right);
  p.leader({198, 74}, {234, 64});
  p.label(190, 200, "ΜΑΪΣΤΡΑ", "MAINSAIL", Align::Centre);
  p.label(314, 214, "ΦΛΟΚΟΣ", "JIB", Align::Centre);
  p.label(300, 112, "ΠΡΟΤΟΝΟΣ", "FORESTAY");
  p.leader({298, 109}, {266, 103});
  p.label(18, 160, "ΕΠΙΤΟΝΟΣ", "BACKSTAY");
  p.leader({70, 166}, {158, 171});
  p.label(248, 236, "ΜΟΥΡΗ", "TACK");
  p.leader({246, 234}, {238, 250});
  p.label(16, 236, "ΓΩΝΙΑ ΣΚΟΤΑΣ", "CLEW");
  p.leader({104, 236}, {126, 252});
  p.label(176, 278, "ΜΑΤΣΑ", "BOOM", Align::Centre);
  p.leader({176, 268}, {176, 259});
}

void drawNavigationLights(Painter& p) {
  p.title("ΦΑΝΟΙ ΠΛΟΙΟΥ ΜΕ ΜΗΧΑΝΙΚΗ ΠΡΟΩΣΗ", "LIGHTS OF A POWER-DRIVEN VESSEL");
  Canvas& c = p.canvas();
  const Point centre{240, 200};
  // Bearing b degrees clockwise from right ahead (up on the page).
  auto bearing = [&](Point from, double radius, double b) {
    const double a = b * std::numbers::pi / 180.0;
    return Point{from.x + radius * std::sin(a), from.y - radius * std::cos(a)};
  };
  auto sector = [&](Point light, double radius, double from, double to) {
    std::vector<Point> pts;
    for (double b = from; b <= to + 1e-9; b += 1.5) pts.push_back(bearing(centre, radius, b));
    c.dashPolyline({light, bearing(centre, radius, from)}, kThin, 4, 3);
    c.dashPolyline({light, bearing(centre, radius, to)}, kThin, 4, 3);
    return pts;
  };

  const Point masthead{240, 165}, port{222, 200}, starboard{258, 200}, sternLight{240, 268};
  // White masthead light: 225 degrees from right ahead to 22.5 degrees abaft the beam on each side.
  const auto mast = sector(masthead, 150, -112.5, 112.5);
  c.strokePolyline(mast, 6);
  c.strokePolyline(mast, 3, kWhite);
  // Sidelights, 112.5 degrees each: red to port, green to starboard.
  const auto red = sector(port, 112, -112.5, 0);
  c.strokePolyline(red, 6);
  const auto green = sector(starboard, 112, 0, 112.5);
  c.dashPolyline(green, 5, 5, 8);
  // White stern light: 135 degrees right aft.
  const auto aftArc = sector(sternLight, 112, 112.5, 247.5);
  c.strokePolyline(aftArc, 6);
  c.strokePolyline(aftArc, 3, kWhite);

  // The vessel seen from above.
  std::vector<Point> hull{{240, 120}};
  for (const Point& q : cubicPoints({240, 120}, {262, 150}, {264, 190}, {262, 250})) hull.push_back(q);
  hull.push_back({254, 275});
  hull.push_back({226, 275});
  for (const Point& q : cubicPoints({218, 250}, {216, 190}, {218, 150}, {240, 120})) hull.push_back(q);
  p.shape(hull, kWhite);
  p.shape({{228, 215}, {252, 215}, {252, 250}, {228, 250}}, kLightGrey, 1.5);
  for (const Point& light : {masthead, port, starboard, sternLight}) {
    c.fillCircle(light, 5, kBlack);
    c.fillCircle(light, 2.5, kWhite);
  }

  p.label(96, 62, "ΦΑΝΟΣ ΙΣΤΟΥ 225°", "MASTHEAD LIGHT, WHITE", Align::Centre);
  p.label(392, 62, "ΔΕΞΙΟΣ ΠΛΕΥΡΙΚΟΣ 112,5°", "STARBOARD SIDELIGHT, GREEN", Align::Centre);
  p.label(50, 150, "ΑΡΙΣΤΕΡΟΣ", "", Align::Centre);
  p.label(50, 163, "ΠΛΕΥΡΙΚΟΣ", "", Align::Centre);
  p.label(50, 176, "112,5°", "PORT SIDELIGHT,", Align::Centre);
  p.text(50, 198, "RED", kSubLabelSize, Align::Centre, 80);
  p.label(240, 338, "ΦΑΝΟΣ ΠΡΥΜΝΗΣ 135°", "STERN LIGHT, WHITE", Align::Centre);
  // Legend of the arc styles.
  c.strokeLine({396, 300}, {420, 300}, 6);
  c.strokeLine({396, 300}, {420, 300}, 3, kWhite);
  p.text(426, 304, "ΛΕΥΚΟ", 7);
  c.strokeLine({396, 316}, {420, 316}, 6);
  p.text(426, 320, "ΕΡΥΘΡΟ", 7);
  c.dashPolyline({{396, 332}, {420, 332}}, 5, 5, 8);
  p.text(426, 336, "ΠΡΑΣΙΝΟ", 7);
}

}  // namespace quorvel::figgen
