#include "tools/sample/figgen/StrokeFont.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace quorvel::figgen {

namespace {

// A glyph's strokes: polylines separated by "|"; a point is "x,y"; "a" followed by
// "cx,cy,rx,ry,from,to" continues the polyline along an elliptic arc (degrees, y downwards).
struct Glyph {
  char32_t code;
  double width;
  const char* strokes;
};

constexpr Glyph kGlyphs[] = {
    {U' ', 4, ""},
    {U'A', 6, "0,10 3,0 6,10 | 1,6.7 5,6.7"},
    {U'B', 6, "0,5 3.6,5 a3.6,7.5,2.6,2.5,-90,90 0,10 0,0 3.4,0 a3.4,2.5,2.4,2.5,-90,90"},
    {U'C', 6.2, "a3.3,5,3.3,5,-40,-320"},
    {U'D', 6.2, "0,0 2.4,0 a2.4,5,3.8,5,-90,90 0,10 0,0"},
    {U'E', 5.5, "5.5,0 0,0 0,10 5.5,10 | 0,5 4.5,5"},
    {U'F', 5.5, "5.5,0 0,0 0,10 | 0,5 4.5,5"},
    {U'G', 6.6, "a3.3,5,3.3,5,-40,-360 3.6,5"},
    {U'H', 6, "0,0 0,10 | 6,0 6,10 | 0,5 6,5"},
    {U'I', 0, "0,0 0,10"},
    {U'J', 5, "5,0 5,7.4 a2.5,7.4,2.5,2.6,0,180"},
    {U'K', 6, "0,0 0,10 | 6,0 0,6.2 | 2.1,4.4 6,10"},
    {U'L', 5.2, "0,0 0,10 5.2,10"},
    {U'M', 7.4, "0,10 0,0 3.7,7 7.4,0 7.4,10"},
    {U'N', 6, "0,10 0,0 6,10 6,0"},
    {U'O', 7, "a3.5,5,3.5,5,0,360"},
    {U'P', 5.8, "0,10 0,0 3.2,0 a3.2,2.7,2.6,2.7,-90,90 0,5.4"},
    {U'Q', 7, "a3.5,5,3.5,5,0,360 | 4,7.2 7.2,10.6"},
    {U'R', 5.8, "0,10 0,0 3.2,0 a3.2,2.7,2.6,2.7,-90,90 0,5.4 | 3,5.4 5.8,10"},
    {U'S', 6, "a3,2.6,2.8,2.6,-15,-270 a3,7.6,3,2.4,-90,165"},
    {U'T', 6, "0,0 6,0 | 3,0 3,10"},
    {U'U', 6, "0,0 0,7 a3,7,3,3,180,0 6,0"},
    {U'V', 6, "0,0 3,10 6,0"},
    {U'W', 8.4, "0,0 2.1,10 4.2,2.6 6.3,10 8.4,0"},
    {U'X', 6, "0,0 6,10 | 6,0 0,10"},
    {U'Y', 6, "0,0 3,5 6,0 | 3,5 3,10"},
    {U'Z', 6, "0,0 6,0 0,10 6,10"},
    {U'0', 6, "a3,5,3,5,0,360"},
    {U'1', 6, "1,2.2 3.5,0 3.5,10"},
    {U'2', 6, "a3,3,3,3,-165,20 0,10 6,10"},
    {U'3', 6, "a3,2.6,2.8,2.6,-160,90 a3,7.6,3,2.4,-90,160"},
    {U'4', 6, "4.5,10 4.5,0 0,7 6,7"},
    {U'5', 6, "5.6,0 0.8,0 0.6,4.7 a3,6.8,3,3.2,-140,150"},
    {U'6', 6, "a6,6.9,6,6.8,-100,-180 a3,6.9,3,3.1,180,540"},
    {U'7', 6, "0,0 6,0 2,10"},
    {U'8', 6, "a3,2.5,2.6,2.5,0,360 | a3,7.5,3,2.5,0,360"},
    {U'9', 6, "a3,3.1,3,3.1,0,360 a0,3.1,6,6.8,0,80"},
    {U'.', 0.6, "0.3,9.5 0.3,10"},
    {U',', 1, "0.8,9.4 0.8,10 0.1,11.6"},
    {U':', 0.6, "0.3,3.2 0.3,3.6 | 0.3,9.5 0.3,10"},
    {U'-', 4, "0,5.5 4,5.5"},
    {U'+', 6, "0,5 6,5 | 3,2 3,8"},
    {U'=', 6, "0,3.6 6,3.6 | 0,6.6 6,6.6"},
    {U'/', 4, "0,10.5 4,-0.5"},
    {U'(', 2.2, "a3.4,5,3.2,6,-125,-235"},
    {U')', 2.2, "a-1.2,5,3.2,6,-55,55"},
    {U'\'', 0.6, "0.3,0 0.3,3"},
    {U'\u00B0', 3, "a1.5,1.6,1.5,1.6,0,360"},
    {U'\u2032', 1.2, "1.2,0 0.2,3"},
    // Greek capitals whose shapes differ from the Latin ones.
    {U'\u0393', 5.5, "0,10 0,0 5.5,0"},
    {U'\u0394', 6.4, "0,10 3.2,0 6.4,10 0,10"},
    {U'\u0398', 7, "a3.5,5,3.5,5,0,360 | 2,5 5,5"},
    {U'\u039B', 6, "0,10 3,0 6,10"},
    {U'\u039E', 6, "0,0 6,0 | 1,5 5,5 | 0,10 6,10"},
    {U'\u03A0', 6, "0,10 0,0 6,0 6,10"},
    {U'\u03A3', 6, "6,0 0,0 3.2,5 0,10 6,10"},
    {U'\u03A6', 7, "a3.5,5,3.5,3,0,360 | 3.5,0 3.5,10"},
    {U'\u03A8', 7, "0,0 0,3 a3.5,3,3.5,3.2,180,0 7,0 | 3.5,0 3.5,10"},
    {U'\u03A9', 7, "0,10 2.1,10 a3.5,4.8,3.5,4.8,120,420 4.9,10 7,10"},
    {U'\u03AA', 1.6, "0.8,0 0.8,10 | 0,-1.8 0,-1.4 | 1.6,-1.8 1.6,-1.4"},
    {U'\u03AB', 6, "0,0 3,5 6,0 | 3,5 3,10 | 2.2,-1.8 2.2,-1.4 | 3.8,-1.8 3.8,-1.4"},
};

// Greek capitals drawn with the Latin glyph of the same shape.
char32_t sameShapeLatin(char32_t c) {
  switch (c) {
    case U'\u0391': return U'A';
    case U'\u0392': return U'B';
    case U'\u0395': return U'E';
    case U'\u0396': return U'Z';
    case U'\u0397': return U'H';
    case U'\u0399': return U'I';
    case U'\u039A': return U'K';
    case U'\u039C': return U'M';
    case U'\u039D': return U'N';
    case U'\u039F': return U'O';
    case U'\u03A1': return U'P';
    case U'\u03A4': return U'T';
    case U'\u03A5': return U'Y';
    case U'\u03A7': return U'X';
    default: return c;
  }
}

// Small and accented letters to the capital whose glyph is drawn.
char32_t foldToCapital(char32_t c) {
  if (c >= U'a' && c <= U'z') return c - 32;
  switch (c) {
    case U'\u0386': case U'\u03AC': return U'\u0391';
    case U'\u0388': case U'\u03AD': return U'\u0395';
    case U'\u0389': case U'\u03AE': return U'\u0397';
    case U'\u038A': case U'\u03AF': return U'\u0399';
    case U'\u038C': case U'\u03CC': return U'\u039F';
    case U'\u038E': case U'\u03CD': return U'\u03A5';
    case U'\u038F': case U'\u03CE': return U'\u03A9';
    case U'\u03CA': case U'\u0390': return U'\u03AA';
    case U'\u03CB': case U'\u03B0': return U'\u03AB';
    case U'\u03C2': return U'\u03A3';
    default: break;
  }
  if (c >= U'\u03B1' && c <= U'\u03C9') return c - 0x20;
  return c;
}

const Glyph* findGlyph(char32_t c) {
  const char32_t code = sameShapeLatin(foldToCapital(c));
  for (const Glyph& g : kGlyphs)
    if (g.code == code) return &g;
  return nullptr;
}

// Decodes UTF-8; a malformed sequence gives U+FFFD, which has no glyph.
std::vector<char32_t> decodeUtf8(std::string_view s) {
  std::vector<char32_t> out;
  size_t i = 0;
  while (i < s.size()) {
    const auto b = static_cast<unsigned char>(s[i]);
    int extra = 0;
    char32_t c = 0;
    if (b < 0x80) {
      c = b;
    } else if ((b & 0xE0) == 0xC0) {
      extra = 1;
      c = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
      extra = 2;
      c = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
      extra = 3;
      c = b & 0x07;
    } else {
      out.push_back(U'\uFFFD');
      ++i;
      continue;
    }
    bool ok = true;
    for (int k = 1; k <= extra; ++k) {
      if (i + k >= s.size() || (static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) {
        ok = false;
        break;
      }
      c = (c << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    }
    if (!ok) {
      out.push_back(U'\uFFFD');
      ++i;
      continue;
    }
    out.push_back(c);
    i += static_cast<size_t>(extra) + 1;
  }
  return out;
}

std::vector<double> parseNumbers(std::string_view token) {
  std::vector<double> values;
  size_t pos = 0;
  while (pos <= token.size()) {
    size_t comma = token.find(',', pos);
    if (comma == std::string_view::npos) comma = token.size();
    double v = 0;
    std::from_chars(token.data() + pos, token.data() + comma, v);
    values.push_back(v);
    pos = comma + 1;
  }
  return values;
}

// The polylines of a glyph in glyph units.
std::vector<std::vector<Point>> glyphStrokes(const Glyph& g) {
  std::vector<std::vector<Point>> strokes(1);
  std::string_view rest = g.strokes;
  while (!rest.empty()) {
    const size_t space = rest.find(' ');
    const std::string_view token = rest.substr(0, space);
    rest = space == std::string_view::npos ? std::string_view{} : rest.substr(space + 1);
    if (token.empty()) continue;
    if (token == "|") {
      strokes.emplace_back();
    } else if (token[0] == 'a') {
      const std::vector<double> v = parseNumbers(token.substr(1));
      if (v.size() != 6) continue;
      const auto arc = ellipsePoints({v[0], v[1]}, v[2], v[3], v[4], v[5], 24);
      strokes.back().insert(strokes.back().end(), arc.begin(), arc.end());
    } else {
      const std::vector<double> v = parseNumbers(token);
      if (v.size() == 2) strokes.back().push_back({v[0], v[1]});
    }
  }
  return strokes;
}

double unitsToPixels(const TextStyle& style) { return style.capHeight / 10.0; }
double letterGap() { return 2.2; }

}  // namespace

bool hasGlyph(char32_t c) { return findGlyph(c) != nullptr; }

double textWidth(std::string_view utf8, const TextStyle& style) {
  double units = 0;
  const std::vector<char32_t> text = decodeUtf8(utf8);
  for (char32_t c : text) {
    const Glyph* g = findGlyph(c);
    units += (g ? g->width : 6) + letterGap();
  }
  if (!text.empty()) units -= letterGap();
  return units * unitsToPixels(style);
}

int drawText(Canvas& canvas, double x, double y, std::string_view utf8, const TextStyle& style, Align align) {
  const double width = textWidth(utf8, style);
  if (align == Align::Centre) x -= width / 2;
  if (align == Align::Right) x -= width;
  const double k = unitsToPixels(style);
  const double weight = style.weight > 0 ? style.weight : std::max(1.0, style.capHeight * 0.13);
  const double top = y - style.capHeight;
  int missing = 0;
  for (char32_t c : decodeUtf8(utf8)) {
    const Glyph* g = findGlyph(c);
    if (!g) {
      ++missing;
      const std::vector<Point> box{{x, top}, {x + 6 * k, top}, {x + 6 * k, y}, {x, y}};
      canvas.strokePolyline(box, weight, style.tone, true);
      x += (6 + letterGap()) * k;
      continue;
    }
    for (const auto& stroke : glyphStrokes(*g)) {
      std::vector<Point> placed;
      placed.reserve(stroke.size());
      for (const Point& p : stroke) placed.push_back({x + p.x * k, top + p.y * k});
      canvas.strokePolyline(placed, weight, style.tone);
    }
    x += (g->width + letterGap()) * k;
  }
  return missing;
}

}  // namespace quorvel::figgen
