// A one-line edit that can type Greek from a Latin keyboard, for a desktop without a Greek
// layout to switch to: while on, printable keys give what they give on the standard Greek
// keyboard (GreekKeyMap). The search box and the fields of the two search dialogs are such
// edits, switched on together in Greek mode.
#pragma once

#include <QLineEdit>

#include "ui/GreekKeyMap.h"

namespace quorvel::ui {

class GreekLineEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit GreekLineEdit(QWidget* parent = nullptr) : QLineEdit(parent) {}

  void setGreekKeyboard(bool on);
  bool greekKeyboard() const { return greekKeyboard_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool greekKeyboard_ = false;
  GreekKeyMap keyMap_;
};

}  // namespace quorvel::ui
