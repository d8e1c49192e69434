#include "ui/DummyfrmU.h"

#include <QTextEdit>

namespace quorvel::ui {

TDummyFrm::TDummyFrm(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("DummyFrm"));
  PrintText = new QTextEdit(this);
  PrintText->setObjectName(QStringLiteral("PrintText"));
  RTF1 = new QTextEdit(this);
  RTF1->setObjectName(QStringLiteral("RTF1"));
}

}  // namespace quorvel::ui
