#include "ui/FigFormU.h"

#include <QFileInfo>
#include <QFrame>
#include <QImageReader>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>

#include "ui/DialogFrame.h"

namespace quorvel::ui {
namespace {

constexpr int kFrame = 2;  // the panel's margin around the picture, its 1-pixel border included

}  // namespace

TFigForm::TFigForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FigForm"));
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  setAccessibleName(QStringLiteral("Σχήμα"));
  setBackgroundRole(QPalette::Button);
  setAutoFillBackground(true);

  FigPanel = new QFrame(this);
  FigPanel->setObjectName(QStringLiteral("FigPanel"));
  // A style sheet, so that the main window's own style sheet does not paint over the colours.
  FigPanel->setStyleSheet(QStringLiteral("#FigPanel { background: black; border: 1px solid #404040; }"));
  FigPanel->move(0, 0);

  FigImage = new QLabel(FigPanel);
  FigImage->setObjectName(QStringLiteral("FigImage"));
  FigImage->setAccessibleName(QStringLiteral("Σχήμα"));
  FigImage->move(kFrame, kFrame);
  resize(2 * kFrame, 2 * kFrame);
  KeepRestoredWithOwner(this);
}

bool TFigForm::LoadFigure(const QString& path) {
  FigFileName_ = path;
  QImageReader reader(path);
  const QImage image = reader.read();
  if (image.isNull()) return false;
  FigImage->setPixmap(QPixmap::fromImage(image));
  FigImage->resize(image.size());
  FigPanel->resize(image.width() + 2 * kFrame, image.height() + 2 * kFrame);
  setFixedSize(FigPanel->size());
  FigImage->setAccessibleDescription(QFileInfo(path).fileName());
  return true;
}

void TFigForm::showEvent(QShowEvent* event) {
  if (const QWidget* owner = parentWidget()) {
    move(owner->frameGeometry().center() - QPoint(width() / 2, height() / 2));
  }
  QDialog::showEvent(event);
}

void TFigForm::mousePressEvent(QMouseEvent* event) {
  event->accept();
  accept();
}

}  // namespace quorvel::ui
