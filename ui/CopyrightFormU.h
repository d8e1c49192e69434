// The copyright window.
#pragma once

#include <QDialog>

namespace quorvel::ui {

class TCopyrightForm : public QDialog {
  Q_OBJECT

 public:
  explicit TCopyrightForm(QWidget* parent = nullptr);
};

}  // namespace quorvel::ui
