#include "ui/HintText.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>
#include <QToolTip>

#include <algorithm>

namespace quorvel::ui {
namespace {

constexpr int kNarrowestBox = 240;  // pixels: on a small screen the box is still this wide

}  // namespace

QString HintRichText(const QString& plain, const QPoint& at) {
  const QStringList lines = plain.split(QRegularExpression(QStringLiteral("\r?\n")));
  const QFontMetrics metrics(QToolTip::font());
  int longest = 0;
  for (const QString& line : lines) longest = std::max(longest, metrics.horizontalAdvance(line));
  QScreen* screen = QGuiApplication::screenAt(at);
  if (!screen) screen = QGuiApplication::primaryScreen();
  const int widest = std::max(kNarrowestBox, screen ? screen->availableGeometry().width() / 2 : 0);
  // A table of a fixed width is what a tool tip's text takes as its width; a few pixels more
  // than the text leave room for rounding between the measured and the drawn text.
  const int width = std::min(longest + 4, widest);
  QStringList escaped;
  for (const QString& line : lines) escaped << line.toHtmlEscaped();
  return QStringLiteral("<table width=\"%1\" cellspacing=\"0\" cellpadding=\"0\"><tr><td>%2</td></tr></table>")
      .arg(width)
      .arg(escaped.join(QStringLiteral("<br>")));
}

}  // namespace quorvel::ui
