#include "ui/GreekLineEdit.h"

#include <QKeyEvent>

namespace quorvel::ui {

void GreekLineEdit::setGreekKeyboard(bool on) {
  greekKeyboard_ = on;
  keyMap_.Reset();
}

void GreekLineEdit::keyPressEvent(QKeyEvent* event) {
  const bool plainKey = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
  if (greekKeyboard_ && plainKey && event->text().size() == 1 && event->text()[0].isPrint()) {
    const QString mapped = keyMap_.Map(event->text());
    if (!mapped.isEmpty()) insert(mapped);
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

}  // namespace quorvel::ui
