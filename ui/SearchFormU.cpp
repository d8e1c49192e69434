#include "ui/SearchFormU.h"

namespace quorvel::ui {

TSearchForm::TSearchForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("SearchForm"));
  setWindowTitle(QStringLiteral("Κριτήρια Αναζήτησης Λημμάτων"));
  resize(300, 160);
}

}  // namespace quorvel::ui
