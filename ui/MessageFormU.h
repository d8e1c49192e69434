// The dialog of the description search: the word to look for in every description.
#pragma once

#include <QDialog>

namespace quorvel::ui {

class TMessageForm : public QDialog {
  Q_OBJECT

 public:
  explicit TMessageForm(QWidget* parent = nullptr);
};

}  // namespace quorvel::ui
