// TMessageForm, the dialog of the description search: the word to look for in every
// description, with a note that the search may take a while. Created anew for each use, so the
// word starts empty.
#pragma once

#include <QDialog>

#include <string>

class QLineEdit;

namespace quorvel::ui {

class TMessageForm : public QDialog {
  Q_OBJECT

 public:
  explicit TMessageForm(QWidget* parent = nullptr);

  // The word as typed, in code page 1253.
  std::string Word() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QLineEdit* DescrSearch_Edit;
};

}  // namespace quorvel::ui
