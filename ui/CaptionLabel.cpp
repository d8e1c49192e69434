#include "ui/CaptionLabel.h"

#include "ui/TextCodec.h"

namespace quorvel::ui {

void CaptionLabel::setCaption(const QString& caption) {
  caption_ = caption;
  setText(CaptionDisplayText(caption));
}

}  // namespace quorvel::ui
