#include "ui/ProblemMessage.h"

#include <QMessageBox>

namespace quorvel::ui {

void ShowProblem(QWidget* owner, const QString& text) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Πρόβλημα"), text, QMessageBox::Ok, owner);
  box.setObjectName(QStringLiteral("ProblemMessage"));
  box.exec();
}

}  // namespace quorvel::ui
