// The entry list's view: items of one fixed height drawn as plain text lines, a report of
// selections made with the list's own keys (which the window treats like a click), and Enter.
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
  void enterPressed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace quorvel::ui
