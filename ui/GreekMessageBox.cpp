#include "ui/GreekMessageBox.h"

#include <QPushButton>

#include "ui/DialogFrame.h"

namespace quorvel::ui {
namespace {

const QString kProgramTitle = QStringLiteral("Orvanta");

void ShowOk(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
  QMessageBox box(icon, kProgramTitle, text, QMessageBox::NoButton, parent);
  box.setObjectName(QStringLiteral("MessageBox"));
  QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
  ok->setAccessibleName(ok->text());
  box.setDefaultButton(ok);
  box.setEscapeButton(ok);
  KeepRestoredWithOwner(&box);
  box.exec();
}

}  // namespace

void ShowMessage(QWidget* parent, const QString& text) { ShowOk(parent, QMessageBox::NoIcon, text); }

void ShowWarning(QWidget* parent, const QString& text) { ShowOk(parent, QMessageBox::Warning, text); }

bool AskYesNo(QWidget* parent, const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::NoButton, parent);
  box.setObjectName(QStringLiteral("MessageBox"));
  QPushButton* yes = box.addButton(QStringLiteral("Ναι"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QStringLiteral("Όχι"), QMessageBox::NoRole);
  yes->setAccessibleName(yes->text());
  no->setAccessibleName(no->text());
  box.setDefaultButton(yes);
  box.setEscapeButton(no);
  KeepRestoredWithOwner(&box);
  box.exec();
  return box.clickedButton() == yes;
}

}  // namespace quorvel::ui
