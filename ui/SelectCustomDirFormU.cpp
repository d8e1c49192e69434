#include "ui/SelectCustomDirFormU.h"

namespace quorvel::ui {

TSelectCustomDirForm::TSelectCustomDirForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("SelectCustomDirForm"));
  setWindowTitle(QStringLiteral("Επιλογή Φακέλου για Επεξεργασμένα Λήμματα"));
  resize(477, 218);
}

}  // namespace quorvel::ui
