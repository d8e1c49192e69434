#include "ui/CaptionLabel.h"

#include <QFontMetrics>

#include <algorithm>

#include "ui/TextCodec.h"

namespace quorvel::ui {

void CaptionLabel::setCaption(const QString& caption) {
  caption_ = caption;
  setText(CaptionDisplayText(caption));
}

int CaptionLabel::TwoLineHeight(int designed) const {
  // Measured as the label lays out its text: lines of the font's ascent and descent, as the
  // font gives them, not rounded line spacings.
  const int lines = QFontMetrics(font()).boundingRect(QRect(0, 0, 10000, 10000), Qt::AlignLeft | Qt::TextWordWrap,
                                                      QStringLiteral("Ág\nÁg")).height();
  const QMargins margins = contentsMargins();
  return std::max(designed, lines + margins.top() + margins.bottom() + 2 * margin());
}

}  // namespace quorvel::ui
