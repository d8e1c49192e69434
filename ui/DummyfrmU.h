// TDummyFrm: a window that is never shown, holding two rich-text controls that the program
// uses as work areas (printing and the description search use PrintText, the data tools RTF1).
#pragma once

#include <QWidget>

class QTextEdit;

namespace quorvel::ui {

class TDummyFrm : public QWidget {
  Q_OBJECT

 public:
  explicit TDummyFrm(QWidget* parent = nullptr);

  QTextEdit* PrintText;
  QTextEdit* RTF1;
};

}  // namespace quorvel::ui
