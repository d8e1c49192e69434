// The small stroke font of the figure labels: Latin and Greek capitals (small letters and accented
// letters are drawn as their capitals, as labels in capitals are written without accents),
// digits and a few signs. Glyphs are polylines and arcs on a grid whose capitals are 10 units high.
#pragma once

#include <string_view>

#include "tools/sample/figgen/Canvas.h"

namespace quorvel::figgen {

enum class Align { Left, Centre, Right };

struct TextStyle {
  double capHeight = 9;  // height of a capital in pixels
  Tone tone = kBlack;
  double weight = 0;  // stroke width in pixels; 0 picks one from the height
};

// True when the font has a glyph for the character (after folding to capitals).
bool hasGlyph(char32_t c);

// Width in pixels of the UTF-8 text as drawText sets it.
double textWidth(std::string_view utf8, const TextStyle& style);

// Draws the UTF-8 text with its baseline at y; x is the left end, the centre or the right end by
// align. Characters without a glyph are drawn as a small box. Returns how many there were.
int drawText(Canvas& canvas, double x, double y, std::string_view utf8, const TextStyle& style,
             Align align = Align::Left);

}  // namespace quorvel::figgen
