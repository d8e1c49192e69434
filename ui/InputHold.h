// User input held back from a window and everything in it while the window is busy with long
// work on another thread: keys, clicks and the wheel are dropped, as they would meet a window
// that did the work itself and could not take them. Painting and every other event go on.
#pragma once

#include <QObject>

class QWidget;

namespace quorvel::ui {

class InputHold : public QObject {
  Q_OBJECT

 public:
  // Holds input to `window` (and its dialogs) from now until destroyed. `window` must outlive
  // the hold.
  explicit InputHold(QWidget* window);
  ~InputHold() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
};

}  // namespace quorvel::ui
