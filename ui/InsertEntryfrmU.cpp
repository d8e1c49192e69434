#include "ui/InsertEntryfrmU.h"

namespace quorvel::ui {

TInsertEntryFrm::TInsertEntryFrm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("InsertEntryFrm"));
  setWindowTitle(QStringLiteral("Εισαγωγή Νέου Λήμματος"));
  resize(367, 233);
}

}  // namespace quorvel::ui
