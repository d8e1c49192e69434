// What the window tests of the two search dialogs share: a small dictionary with English and
// Greek terms, descriptions and user entries, the main window on it, and a way to work a modal
// dialog that a tool button opens.
#pragma once

#include <QDialog>
#include <QRect>
#include <QStringList>

#include <functional>
#include <memory>

#include "core/Session.h"
#include "platform/PosixFileSystem.h"
#include "tests/support/DictionaryFixture.h"
#include "tests/ui/SlowDescriptions.h"
#include "ui/MainLexU.h"

class QLineEdit;
class QListView;

namespace quorvel::test {

class SearchDialogsWindow {
 public:
  // Writes the shared dictionary, or what `write` puts into the fixture, opens the main window
  // on it and waits until it is shown.
  SearchDialogsWindow();
  explicit SearchDialogsWindow(const std::function<void(DictionaryFixture&)>& write);
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
  // Clicks the list item that reads `text`; false when the list has none.
  [[nodiscard]] bool ClickItem(const QString& text);

  // Clicks the tool button `button` and runs `work` on the modal dialog it opens, once the
  // dialog is shown; `work` closes the dialog. Returns when the button's handler has ended and
  // a description search it started has shown its list: whether a dialog opened and `work` ran.
  [[nodiscard]] bool WithDialog(const char* button, const std::function<void(QDialog&)>& work);
  // How long each description takes to convert (see SlowDown).
  SlowDown& slowDown() { return slow_; }

 private:
  DictionaryFixture fixture_;
  PosixFileSystem fs_;
  SlowDown slow_;
  std::unique_ptr<Session> session_;
  std::unique_ptr<ui::TMainLex> window_;
};

// A control of a dialog by its name.
template <typename T = QWidget>
T* Child(const QWidget& dialog, const char* name) {
  T* widget = dialog.findChild<T*>(QString::fromLatin1(name));
  if (!widget) qFatal("no control %s", name);
  return widget;
}

// Whether `dialog` stands centred on the outer rectangle `owner` of its window; `why` tells
// the rectangles.
bool CentredOn(const QWidget& dialog, const QRect& owner, QString& why);

// Whether every control of `dialog` that the Tab key reaches has an accessible name;
// `unnamed` is the first that has none.
bool EveryControlNamed(const QWidget& dialog, QString& unnamed);

}  // namespace quorvel::test
