// The search box of the main window: a borderless line edit that reports every key before it
// handles it, and that can type Greek from a Latin keyboard when the desktop has no Greek
// layout to switch to (GreekLineEdit).
#pragma once

#include "ui/GreekLineEdit.h"

namespace quorvel::ui {

class SearchBox : public GreekLineEdit {
  Q_OBJECT

 public:
  explicit SearchBox(QWidget* parent = nullptr) : GreekLineEdit(parent) {}

 signals:
  // Every key pressed in the box, before the box handles it.
  void keyDown(int key);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace quorvel::ui
