#include "ui/MessageFormU.h"

namespace quorvel::ui {

TMessageForm::TMessageForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("MessageForm"));
  setWindowTitle(QStringLiteral("Αναζήτηση στις Ερμηνείες"));
  resize(300, 120);
}

}  // namespace quorvel::ui
