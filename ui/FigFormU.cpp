#include "ui/FigFormU.h"

namespace quorvel::ui {

TFigForm::TFigForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FigForm"));
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  resize(100, 100);
}

}  // namespace quorvel::ui
