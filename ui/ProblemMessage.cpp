#include "ui/ProblemMessage.h"

#include <QMessageBox>
#include <QPushButton>

#include "ui/DialogFrame.h"

namespace quorvel::ui {

void ShowProblem(QWidget* owner, const QString& text) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Πρόβλημα"), text, QMessageBox::Ok, owner);
  box.setObjectName(QStringLiteral("ProblemMessage"));
  box.button(QMessageBox::Ok)->setAccessibleName(box.button(QMessageBox::Ok)->text());
  KeepRestoredWithOwner(&box);
  box.exec();
}

}  // namespace quorvel::ui
