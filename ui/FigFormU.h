// The figure viewer: one drawing of the content folder in a borderless window.
#pragma once

#include <QDialog>

namespace quorvel::ui {

class TFigForm : public QDialog {
  Q_OBJECT

 public:
  explicit TFigForm(QWidget* parent = nullptr);
};

}  // namespace quorvel::ui
