// The folder chooser: the folder of the user's entries, or the folder to install into.
#pragma once

#include <QDialog>

namespace quorvel::ui {

class TSelectCustomDirForm : public QDialog {
  Q_OBJECT

 public:
  explicit TSelectCustomDirForm(QWidget* parent = nullptr);
};

}  // namespace quorvel::ui
