// TMessageForm, the dialog of the description search: the word to look for in every
// description, with a note that the search may take a while. Created anew for each use, so the
// word starts empty.
#pragma once

#include <QDialog>

#include <string>

namespace quorvel::ui {

class GreekLineEdit;

class TMessageForm : public QDialog {
  Q_OBJECT

 public:
  explicit TMessageForm(QWidget* parent = nullptr);

  // The word as typed, in code page 1253.
  std::string Word() const;
  // While on, the word is typed in Greek from a Latin keyboard, as the search box does in
  // Greek mode on a desktop without a Greek layout.
  void SetGreekKeyboard(bool on);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  GreekLineEdit* DescrSearch_Edit;
};

}  // namespace quorvel::ui
