// Tests of quorvel-figgen: the bitmap file, the manifest, the font, the drawings and the program.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "tools/sample/figgen/Bmp.h"
#include "tools/sample/figgen/Canvas.h"
#include "tools/sample/figgen/Drawings.h"
#include "tools/sample/figgen/Manifest.h"
#include "tools/sample/figgen/Painter.h"
#include "tools/sample/figgen/StrokeFont.h"

namespace fs = std::filesystem;
using namespace quorvel::figgen;

namespace {

std::uint32_t le32(const std::string& s, size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(s[at])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 2])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 3])) << 24;
}

std::uint16_t le16(const std::string& s, size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(s[at]) | static_cast<unsigned char>(s[at + 1]) << 8);
}

int darkPixels(const Canvas& canvas, Tone below = 128) {
  int n = 0;
  for (Tone t : canvas.pixels()) n += t < below;
  return n;
}

ManifestResult parse(std::string_view text) { return parseManifest(text, isDrawingName); }

std::string readAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// A fresh empty folder for one test.
fs::path scratch(const std::string& name) {
  const fs::path dir = fs::temp_directory_path() / ("quorvel_figgen_" + name);
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

int run(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()); }

}  // namespace

TEST(FiggenBmp, HeaderDescribesAnUncompressedGreyBitmap) {
  const std::string bmp = encodeGreyBmp(kFigureWidth, kFigureHeight, std::vector<std::uint8_t>(kFigureWidth * kFigureHeight, 200));
  ASSERT_EQ(bmp.size(), kBmpHeaderSize + static_cast<size_t>(kFigureWidth) * kFigureHeight);
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(le32(bmp, 2), bmp.size());
  EXPECT_EQ(le32(bmp, 10), kBmpHeaderSize);
  EXPECT_EQ(le32(bmp, 14), 40u);
  EXPECT_EQ(le32(bmp, 18), static_cast<std::uint32_t>(kFigureWidth));
  EXPECT_EQ(le32(bmp, 22), static_cast<std::uint32_t>(kFigureHeight));
  EXPECT_EQ(le16(bmp, 26), 1);
  EXPECT_EQ(le16(bmp, 28), 8);
  EXPECT_EQ(le32(bmp, 30), 0u);
  EXPECT_EQ(le32(bmp, 34), static_cast<std::uint32_t>(kFigureWidth * kFigureHeight));
  EXPECT_EQ(le32(bmp, 46), 256u);
  // Palette entry i is the grey i.
  for (size_t i : {0u, 1u, 128u, 255u}) {
    EXPECT_EQ(static_cast<unsigned char>(bmp[54 + 4 * i]), i);
    EXPECT_EQ(static_cast<unsigned char>(bmp[54 + 4 * i + 2]), i);
  }
}

TEST(FiggenBmp, RowsArePaddedAndStoredBottomUp) {
  // 5 x 2: the top row is 1..5, the bottom row 6..10.
  const std::string bmp = encodeGreyBmp(5, 2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
  ASSERT_EQ(bmp.size(), kBmpHeaderSize + 2 * 8);
  const std::string rows = bmp.substr(kBmpHeaderSize);
  EXPECT_EQ(rows, std::string("\x06\x07\x08\x09\x0A\0\0\0\x01\x02\x03\x04\x05\0\0\0", 16));
}

TEST(FiggenManifest, ReadsFigureLines) {
  const ManifestResult r = parse("123\tanchor\r\n\n1232\tbowline\n77\tcompass-rose");
  ASSERT_TRUE(r.ok()) << r.error;
  ASSERT_EQ(r.figures.size(), 3u);
  EXPECT_EQ(r.figures[0].figure, "123");
  EXPECT_EQ(r.figures[0].drawing, "anchor");
  EXPECT_EQ(figureFileName(r.figures[0]), "fig123.bmp");
  EXPECT_EQ(figureFileName(r.figures[1]), "fig1232.bmp");
  EXPECT_EQ(r.figures[1].line, 3);
  EXPECT_EQ(r.figures[2].drawing, "compass-rose");
  EXPECT_TRUE(parse("").ok());
  EXPECT_TRUE(parse("\n\r\n").figures.empty());
}

TEST(FiggenManifest, RefusesBadLinesNamingTheLine) {
  struct Case {
    const char* text;
    const char* expected;
  };
  const Case cases[] = {
      {"12\tanchor\n13\tanchr\n", "line 2: unknown drawing name \"anchr\""},
      {"12 anchor\n", "line 1: expected"},
      {"\n\n012\tanchor\n", "line 3:"},
      {"12a\tanchor\n", "line 1:"},
      {"\tanchor\n", "line 1:"},
      {"123456789\tanchor\n", "line 1:"},
      {"12\tanchor \n", "line 1: unknown drawing name"},
      {"12\t\n", "line 1: unknown drawing name"},
      {"12\tanchor\n5\tbowline\n12\treef-knot\n", "line 3: fig12.bmp is already listed on line 1"},
  };
  for (const Case& c : cases) {
    const ManifestResult r = parse(c.text);
    EXPECT_FALSE(r.ok()) << c.text;
    EXPECT_NE(r.error.find(c.expected), std::string::npos) << r.error;
  }
}

TEST(FiggenManifest, ControlCharactersAreNotEchoed) {
  const ManifestResult r = parse(std::string("1\tbad\x1b[2Jname\n"));
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.error.find('\x1b'), std::string::npos);
}

TEST(FiggenFont, CoversGreekCapitalsDigitsAndLatin) {
  for (char32_t c = U'\u0391'; c <= U'\u03A9'; ++c) {
    if (c == U'\u03A2') continue;  // unassigned
    EXPECT_TRUE(hasGlyph(c)) << static_cast<int>(c);
  }
  for (char32_t c = U'0'; c <= U'9'; ++c) EXPECT_TRUE(hasGlyph(c));
  for (char32_t c = U'A'; c <= U'Z'; ++c) EXPECT_TRUE(hasGlyph(c));
  // Small and accented letters are drawn as capitals.
  for (char32_t c : {U'ά', U'ω', U'ς', U'ΐ', U'Ώ', U'x', U'°'}) EXPECT_TRUE(hasGlyph(c)) << static_cast<int>(c);
  EXPECT_FALSE(hasGlyph(U'\u20AC'));
}

TEST(FiggenFont, DrawsTextAndCountsMissingGlyphs) {
  Canvas canvas(200, 40);
  const TextStyle style{10, kBlack, 0};
  EXPECT_EQ(drawText(canvas, 10, 30, "ΑΓΚΥΡΑ 12", style), 0);
  EXPECT_GT(darkPixels(canvas), 50);
  Canvas other(200, 40);
  EXPECT_EQ(drawText(other, 10, 30, "A\xE2\x82\xAC\xFF", style), 2);  // the euro sign and a stray byte
  EXPECT_GT(textWidth("ΑΓΚΥΡΑ", style), textWidth("ΑΓ", style));
  EXPECT_DOUBLE_EQ(textWidth("", style), 0);
}

TEST(FiggenCanvas, FillsInsidePolygonsOnly) {
  Canvas canvas(40, 40);
  canvas.fillPolygon(std::vector<Point>{{10, 10}, {30, 10}, {30, 30}, {10, 30}}, kBlack);
  const std::vector<Tone> px = canvas.pixels();
  ASSERT_EQ(px.size(), 1600u);
  EXPECT_EQ(px[20 * 40 + 20], kBlack);
  EXPECT_EQ(px[5 * 40 + 5], kWhite);
  EXPECT_EQ(px[20 * 40 + 35], kWhite);
  EXPECT_EQ(darkPixels(canvas), 400);
  // Drawing outside the canvas is clipped, not a fault.
  canvas.strokeLine({-100, -100}, {500, 500}, 3);
  canvas.fillPolygon(std::vector<Point>{{-50, -50}, {-10, -50}, {-10, -10}}, kBlack);
}

TEST(FiggenCanvas, HatchesOnlyStripesInside) {
  Canvas canvas(60, 60);
  const std::vector<Point> square{{10, 10}, {50, 10}, {50, 50}, {10, 50}};
  canvas.hatchPolygon(square, Hatch{90, 8, 2});
  const std::vector<Tone> px = canvas.pixels();
  int inkInside = 0, inkOutside = 0;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 60; ++x) {
      const bool inside = x >= 10 && x < 50 && y >= 10 && y < 50;
      (inside ? inkInside : inkOutside) += px[y * 60 + x] < 200;
    }
  EXPECT_EQ(inkOutside, 0);
  // Vertical stripes 2 of every 8 pixels wide: about a quarter of the square.
  EXPECT_GT(inkInside, 1600 / 6);
  EXPECT_LT(inkInside, 1600 / 2);
  // Along a row the stripes alternate with white: five stripes across 40 pixels.
  int changes = 0;
  for (int x = 11; x < 50; ++x) changes += (px[30 * 60 + x] < 200) != (px[30 * 60 + x - 1] < 200);
  EXPECT_GE(changes, 8);
}

TEST(FiggenCanvas, DashedLinesLeaveGaps) {
  Canvas canvas(120, 20);
  canvas.dashPolyline({{10, 10}, {110, 10}}, 2, 6, 6);
  const std::vector<Tone> px = canvas.pixels();
  int changes = 0;
  for (int x = 11; x < 110; ++x) changes += (px[10 * 120 + x] < 128) != (px[10 * 120 + x - 1] < 128);
  EXPECT_GE(changes, 14);  // about eight dashes
}

TEST(FiggenCanvas, SmoothCurvePassesThroughItsPoints) {
  const std::vector<Point> through{{0, 0}, {50, 40}, {100, 0}, {150, 40}};
  std::vector<size_t> legs;
  const std::vector<Point> curve = smoothCurve(through, 2.0, &legs);
  ASSERT_EQ(curve.size(), legs.size());
  for (const Point& p : through) {
    const bool hit = std::any_of(curve.begin(), curve.end(), [&](const Point& q) {
      return std::abs(q.x - p.x) < 1e-9 && std::abs(q.y - p.y) < 1e-9;
    });
    EXPECT_TRUE(hit) << p.x << "," << p.y;
  }
  EXPECT_TRUE(std::is_sorted(legs.begin(), legs.end()));
  EXPECT_EQ(legs.back(), through.size() - 2);
}

TEST(FiggenRope, FindsItsCrossings) {
  Canvas canvas(300, 200);
  Painter painter(canvas);
  // An open loop that crosses itself once.
  EXPECT_EQ(painter.rope({{20, 150}, {150, 100}, {200, 50}, {150, 20}, {100, 50}, {150, 100}, {280, 150}}, {}), 1);
  EXPECT_EQ(painter.rope({{20, 20}, {280, 180}}, {}), 0);
  // A crossing on a leg behind something is not a crossing of the picture.
  RopeOptions behind;
  behind.hiddenLegs = {4};
  EXPECT_EQ(painter.rope({{20, 150}, {150, 100}, {200, 50}, {150, 20}, {100, 50}, {150, 100}, {280, 150}}, behind), 0);
}

TEST(FiggenDrawings, EveryNameDrawsSomethingOfItsOwn) {
  std::set<std::vector<Tone>> pictures;
  for (std::string_view name : drawingNames()) {
    Canvas canvas(kFigureWidth, kFigureHeight);
    const RenderResult r = renderDrawing(name, canvas);
    EXPECT_TRUE(r.known) << name;
    EXPECT_EQ(r.missingGlyphs, 0) << name;
    const int dark = darkPixels(canvas);
    EXPECT_GT(dark, kFigureWidth * kFigureHeight / 50) << name;
    EXPECT_LT(dark, kFigureWidth * kFigureHeight / 2) << name;
    pictures.insert(canvas.pixels());
  }
  EXPECT_EQ(pictures.size(), drawingNames().size());
  EXPECT_EQ(drawingNames().size(), 13u);
}

TEST(FiggenDrawings, UnknownNameDrawsNothing) {
  Canvas canvas(kFigureWidth, kFigureHeight);
  EXPECT_FALSE(renderDrawing("anchors", canvas).known);
  EXPECT_FALSE(isDrawingName("Anchor"));
  EXPECT_EQ(darkPixels(canvas, 255), 0);
}

TEST(FiggenProgram, WritesOneBitmapPerManifestLine) {
  const fs::path dir = scratch("writes");
  std::ofstream(dir / "figures.txt") << "123\tanchor\n1232\tbowline\n";
  const std::string program = QUORVEL_FIGGEN_PROGRAM;
  ASSERT_EQ(run(program + " " + (dir / "figures.txt").string() + " " + (dir / "out").string()), 0);
  const std::string a = readAll(dir / "out" / "fig123.bmp");
  const std::string b = readAll(dir / "out" / "fig1232.bmp");
  ASSERT_EQ(a.size(), kBmpHeaderSize + static_cast<size_t>(kFigureWidth) * kFigureHeight);
  EXPECT_EQ(a.substr(0, 2), "BM");
  EXPECT_NE(a, b);
}

TEST(FiggenProgram, RefusesUnknownNameWithoutWritingAnything) {
  const fs::path dir = scratch("refuses");
  std::ofstream(dir / "figures.txt") << "123\tanchor\n124\tmermaid\n";
  const std::string program = QUORVEL_FIGGEN_PROGRAM;
  const std::string command = program + " " + (dir / "figures.txt").string() + " " + (dir / "out").string();
  const int status = std::system((command + " 2>" + (dir / "err.txt").string()).c_str());
  EXPECT_NE(status, 0);
  EXPECT_NE(readAll(dir / "err.txt").find("line 2: unknown drawing name \"mermaid\""), std::string::npos);
  EXPECT_FALSE(fs::exists(dir / "out" / "fig123.bmp"));
  EXPECT_NE(run(program + " " + (dir / "missing.txt").string() + " " + (dir / "out").string()), 0);
  EXPECT_NE(run(program), 0);
  // An output folder that is a file.
  std::ofstream(dir / "file") << "x";
  std::ofstream(dir / "good.txt") << "1\tanchor\n";
  EXPECT_NE(run(program + " " + (dir / "good.txt").string() + " " + (dir / "file").string()), 0);
}

TEST(FiggenContentList, PutsOneLinePerFigureInPlaceOfTheMarker) {
  const fs::path dir = scratch("list");
  std::ofstream(dir / "fil.tbo.in") << "Preface.htm\n@FIGURES@\nstyle.css\n";
  std::ofstream(dir / "figures.txt") << "123\tanchor\n\n1232\tbowline\n";
  const std::string command = std::string(QUORVEL_CMAKE_COMMAND) + " -DIN=" + (dir / "fil.tbo.in").string() +
                              " -DMANIFEST=" + (dir / "figures.txt").string() + " -DOUT=" +
                              (dir / "fil.tbo").string() + " -P " + QUORVEL_CONTENT_LIST_SCRIPT;
  ASSERT_EQ(run(command), 0);
  EXPECT_EQ(readAll(dir / "fil.tbo"), "Preface.htm\nfig123.bmp\nfig1232.bmp\nstyle.css\n");
}
