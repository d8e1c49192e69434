// What the window tests of the two search dialogs share: a small dictionary with English and
// Greek terms, descriptions and user entries, the main window on it, and a way to work a modal
// dialog that a tool button opens.
#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>
#include <memory>

#include "core/FileWriter.h"
#include "core/Session.h"
#include "tests/support/DictionaryFixture.h"
#include "ui/MainLexU.h"

class QLineEdit;
class QListView;

namespace quorvel::test {

class SearchDialogsWindow {
 public:
  // Writes the dictionary, opens the main window on it and waits until it is shown.
  SearchDialogsWindow();
  ~SearchDialogsWindow();

  ui::TMainLex& window() { return *window_; }
  Session& session() { return *session_; }
  DictionaryFixture& fixture() { return fixture_; }

  // The window's controls by name.
  template <typename T = QWidget>
  T* W(const char* name) const {
    return window_->findChild<T*>(QString::fromLatin1(name));
  }
  QLineEdit* SearchBox() const;
  QListView* List() const;
  QStringList ItemTexts() const;
  int SelectedIndex() const;
  void Type(const QString& text);

  // Clicks the tool button `button` and runs `work` on the modal dialog it opens, once the
  // dialog is shown; `work` closes the dialog. Returns when the button's handler has ended:
  // whether a dialog opened and `work` ran.
  [[nodiscard]] bool WithDialog(const char* button, const std::function<void(QDialog&)>& work);

 private:
  DictionaryFixture fixture_;
  StdFileWriter writer_;
  std::unique_ptr<Session> session_;
  std::unique_ptr<ui::TMainLex> window_;
};

// Types text into `widget` one character at a time, Greek letters included.
void TypeInto(QWidget* widget, const QString& text);

}  // namespace quorvel::test
