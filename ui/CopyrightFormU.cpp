#include "ui/CopyrightFormU.h"

namespace quorvel::ui {

TCopyrightForm::TCopyrightForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("CopyrightForm"));
  setWindowTitle(QStringLiteral("Orvanta"));
  resize(255, 288);
}

}  // namespace quorvel::ui
