#include "ui/WordMarks.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "richtext/PlainText.h"

namespace quorvel::ui {
namespace {

// How finely a mark is shaded towards white or black: 2 % of the way a step.
constexpr int kShadeSteps = 50;

double Linear(int channel) {
  const double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double RelativeLuminance(const QColor& colour) {
  const QColor rgb = colour.toRgb();
  return 0.2126 * Linear(rgb.red()) + 0.7152 * Linear(rgb.green()) + 0.0722 * Linear(rgb.blue());
}

// `from` moved the fraction `t` of the way to `to`, channel by channel.
QColor Mix(const QColor& from, const QColor& to, double t) {
  const auto channel = [t](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * t)); };
  return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()), channel(from.blue(), to.blue()));
}

}  // namespace

std::vector<WordMark> MarksInDisplayUnits(std::u32string_view display, const std::vector<TextSpan>& spans) {
  // Where each unit's bytes begin, and one more entry for the end of the text.
  std::vector<size_t> byteStarts;
  byteStarts.reserve(display.size() + 1);
  std::string bytes;
  for (const char32_t unit : display) {
    byteStarts.push_back(bytes.size());
    richtext::AppendPlainText(bytes, unit);
  }
  byteStarts.push_back(bytes.size());
  const auto unitsEnd = byteStarts.end() - 1;  // past the last unit's entry

  std::vector<WordMark> marks;
  for (const TextSpan& span : spans) {
    if (span.length == 0 || span.start > bytes.size() || span.length > bytes.size() - span.start) continue;
    auto first = std::lower_bound(byteStarts.begin(), unitsEnd, span.start);
    // A picture gives no bytes: the mark begins at the unit after it.
    while (first != unitsEnd && *(first + 1) == *first) ++first;
    if (first == unitsEnd || *first != span.start) continue;
    const size_t end = span.start + span.length;
    const auto last = std::lower_bound(first, byteStarts.end(), end);
    if (last == byteStarts.end() || *last != end) continue;
    marks.push_back(WordMark{static_cast<int>(first - byteStarts.begin()), static_cast<int>(last - first)});
  }
  std::stable_sort(marks.begin(), marks.end(),
                   [](const WordMark& a, const WordMark& b) { return a.start < b.start; });
  return marks;
}

double ContrastRatio(const QColor& a, const QColor& b) {
  const double la = RelativeLuminance(a);
  const double lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor WordMarkColour() { return QColor(0xFF, 0xD5, 0x4F); }

QColor WordMarkBackground(const QColor& text) {
  const QColor mark = WordMarkColour();
  for (int step = 0; step <= kShadeSteps; ++step) {
    const double t = static_cast<double>(step) / kShadeSteps;
    const QColor lighter = Mix(mark, Qt::white, t);
    if (ContrastRatio(lighter, text) >= kMinimumMarkContrast) return lighter;
    const QColor darker = Mix(mark, Qt::black, t);
    if (ContrastRatio(darker, text) >= kMinimumMarkContrast) return darker;
  }
  // Not reached: white and black reach at least 4.58:1 (the root of 21) with one of them.
  return ContrastRatio(Qt::white, text) >= ContrastRatio(Qt::black, text) ? QColor(Qt::white) : QColor(Qt::black);
}

int NextMarkIndex(const std::vector<WordMark>& marks, int caret, bool forward) {
  if (marks.empty()) return -1;
  const int count = static_cast<int>(marks.size());
  if (forward) {
    for (int i = 0; i < count; ++i) {
      if (marks[static_cast<size_t>(i)].start > caret) return i;
    }
    return 0;
  }
  for (int i = count - 1; i >= 0; --i) {
    if (marks[static_cast<size_t>(i)].start < caret) return i;
  }
  return count - 1;
}

}  // namespace quorvel::ui
