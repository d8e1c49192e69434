// The search box of the main window: a borderless line edit that reports every key before it
// handles it, and that can type Greek from a Latin keyboard when the desktop has no Greek
// layout to switch to.
#pragma once

#include <QLineEdit>

#include "ui/GreekKeyMap.h"

namespace quorvel::ui {

class SearchBox : public QLineEdit {
  Q_OBJECT

 public:
  explicit SearchBox(QWidget* parent = nullptr) : QLineEdit(parent) {}

  // While on, printable keys give what they give on the standard Greek keyboard.
  void setGreekKeyboard(bool on);
  bool greekKeyboard() const { return greekKeyboard_; }

 signals:
  // Every key pressed in the box, before the box handles it.
  void keyDown(int key);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool greekKeyboard_ = false;
  GreekKeyMap keyMap_;
};

}  // namespace quorvel::ui
