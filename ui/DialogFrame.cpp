#include "ui/DialogFrame.h"

#include <QDialog>
#include <QEvent>
#include <QLayout>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QTimer>

namespace quorvel::ui {
namespace {

// Watches a modal dialog and, while it is shown, the window that owns it; a minimised one of
// the two brings both back, once the window manager has said what it did.
class MinimiseGuard : public QObject {
 public:
  static constexpr const char* kName = "MinimiseGuard";

  explicit MinimiseGuard(QDialog* dialog) : QObject(dialog), dialog_(dialog) {
    setObjectName(QString::fromLatin1(kName));
    dialog->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == dialog_ && event->type() == QEvent::Show) {
      owner_ = dialog_->parentWidget() ? dialog_->parentWidget()->window() : nullptr;
      if (owner_) owner_->installEventFilter(this);
    } else if (watched == dialog_ && event->type() == QEvent::Hide) {
      if (owner_) owner_->removeEventFilter(this);
      owner_ = nullptr;
    } else if (event->type() == QEvent::WindowStateChange && dialog_->isVisible() &&
               (static_cast<QWidget*>(watched)->windowState() & Qt::WindowMinimized)) {
      QTimer::singleShot(0, this, &MinimiseGuard::RestoreBoth);
    }
    return false;
  }

 private:
  void RestoreBoth() {
    if (!dialog_->isVisible()) return;
    for (QWidget* window : {static_cast<QWidget*>(owner_), static_cast<QWidget*>(dialog_)}) {
      if (window && (window->windowState() & Qt::WindowMinimized)) {
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
      }
    }
    dialog_->raise();
    dialog_->activateWindow();
  }

  QDialog* dialog_;
  QPointer<QWidget> owner_;
};

QPushButton* DialogButton(QDialog* dialog, const char* name, const QString& caption, QStyle::StandardPixmap glyph) {
  auto* button = new QPushButton(dialog->style()->standardIcon(glyph), caption, dialog);
  button->setObjectName(QString::fromLatin1(name));
  button->setAccessibleName(caption);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

void SetFixedDialogFrame(QDialog* dialog, const QString& caption) {
  dialog->setWindowTitle(caption);
  dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  if (QLayout* layout = dialog->layout()) {
    layout->setSizeConstraint(QLayout::SetFixedSize);
    // The native window is made with the dialog's own size, so that the window manager never
    // sees (and reports back) a passing default size.
    dialog->ensurePolished();
    layout->activate();
  } else {
    dialog->setFixedSize(dialog->size());
  }
  KeepRestoredWithOwner(dialog);
}

void KeepRestoredWithOwner(QDialog* dialog) {
  if (!dialog->findChild<QObject*>(QString::fromLatin1(MinimiseGuard::kName), Qt::FindDirectChildrenOnly)) {
    new MinimiseGuard(dialog);
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

QPushButton* OkButton(QDialog* dialog, const char* name, const QString& caption) {
  QPushButton* ok = DialogButton(dialog, name, caption, QStyle::SP_DialogOkButton);
  ok->setDefault(true);
  QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
  return ok;
}

QPushButton* CancelButton(QDialog* dialog, const char* name, const QString& caption) {
  QPushButton* cancel = DialogButton(dialog, name, caption, QStyle::SP_DialogCancelButton);
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  return cancel;
}

}  // namespace quorvel::ui
