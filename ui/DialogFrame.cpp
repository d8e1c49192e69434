#include "ui/DialogFrame.h"

#include <QDialog>
#include <QLayout>
#include <QPushButton>
#include <QStyle>

namespace quorvel::ui {

void SetFixedDialogFrame(QDialog* dialog, const QString& caption) {
  dialog->setWindowTitle(caption);
  dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  if (QLayout* layout = dialog->layout()) {
    layout->setSizeConstraint(QLayout::SetFixedSize);
    // The native window is made with the dialog's own size, so that the window manager never
    // sees (and reports back) a passing default size.
    dialog->ensurePolished();
    layout->activate();
  }
}

void CentreOnOwner(QWidget* dialog) {
  if (!dialog->parentWidget()) return;
  const QWidget* owner = dialog->parentWidget()->window();
  const QRect outer = owner->frameGeometry();
  // The frame's edges: the owner's, as the window manager frames the dialog only when it maps
  // it (and the frame asked for before that is remembered as none).
  const QRect frame(outer.topLeft() - owner->geometry().topLeft(), outer.size() - owner->size());
  const QSize size = dialog->size() + frame.size();
  const QPoint corner(outer.left() + (outer.width() - size.width()) / 2, outer.top() + (outer.height() - size.height()) / 2);
  // Placed by its client area, which the window manager frames where it stands.
  dialog->setGeometry(QRect(corner - frame.topLeft(), dialog->size()));
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
