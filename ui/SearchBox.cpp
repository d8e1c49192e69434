#include "ui/SearchBox.h"

#include <QKeyEvent>

namespace quorvel::ui {

void SearchBox::keyPressEvent(QKeyEvent* event) {
  emit keyDown(event->key());
  GreekLineEdit::keyPressEvent(event);
}

}  // namespace quorvel::ui
