// The entry list's view: items of one fixed height drawn as plain text lines, a report of
// every selection the user makes, by the mouse (a click, or a drag from item to item) or by the
// list's own keys, which the window treats as a click, and Enter. Only the left button
// selects.
#pragma once

#include <QListView>

namespace quorvel::ui {

class EntryListView : public QListView {
  Q_OBJECT

 public:
  static constexpr int kItemHeight = 16;

  explicit EntryListView(QWidget* parent = nullptr);

 signals:
  // The selection moved by a key of the list.
  void keyboardSelected();
  // The left button was released after it was pressed on an item; the item under the mouse
  // when it was last dragged is selected.
  void mouseSelected();
  void enterPressed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool pressedOnItem_ = false;
};

}  // namespace quorvel::ui
