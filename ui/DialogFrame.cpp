#include "ui/DialogFrame.h"

#include <QDialog>
#include <QLayout>
#include <QPushButton>
#include <QStyle>

namespace quorvel::ui {

void SetFixedDialogFrame(QDialog* dialog, const QString& caption) {
  dialog->setWindowTitle(caption);
  dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  if (QLayout* layout = dialog->layout()) layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CentreOnOwner(QWidget* dialog) {
  if (!dialog->parentWidget()) return;
  const QWidget* owner = dialog->parentWidget()->window();
  const QRect outer = owner->frameGeometry();
  QSize frame = dialog->frameGeometry().size() - dialog->size();
  if (frame.isEmpty()) frame = outer.size() - owner->size();
  const QSize size = dialog->size() + frame;
  // A window's position is that of its frame.
  dialog->move(outer.left() + (outer.width() - size.width()) / 2, outer.top() + (outer.height() - size.height()) / 2);
}

namespace {

QPushButton* DialogButton(QDialog* dialog, const char* name, const QString& caption, QStyle::StandardPixmap glyph,
                          const QString& accessibleName) {
  auto* button = new QPushButton(dialog->style()->standardIcon(glyph), caption, dialog);
  button->setObjectName(QString::fromLatin1(name));
  button->setAccessibleName(accessibleName);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

QPushButton* OkButton(QDialog* dialog, const char* name, const QString& caption) {
  QPushButton* ok = DialogButton(dialog, name, caption, QStyle::SP_DialogOkButton, QStringLiteral("Εντάξει"));
  ok->setDefault(true);
  QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
  return ok;
}

QPushButton* CancelButton(QDialog* dialog, const char* name, const QString& caption) {
  QPushButton* cancel = DialogButton(dialog, name, caption, QStyle::SP_DialogCancelButton, caption);
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  return cancel;
}

}  // namespace quorvel::ui
