// A word from outside the window (the command line, or another start of the program handing
// its word over): the window comes to the front at once, and the word is typed into the search
// box as a paste types it (the typed lookup runs, in the list language the window is in) once
// the window is free: no modal dialog or menu open, no long search running. Meanwhile the
// newest word waits, and a word never starts a search inside another.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <optional>

#include "platform/WindowActivation.h"

class QLineEdit;

namespace quorvel::ui {

class MainView;

class OutsideLookup : public QObject {
 public:
  // `window` and `searchBox` (the window's) must outlive the object; it is the window's child.
  OutsideLookup(MainView& view, QLineEdit* searchBox);

  // Brings the window to the front for the caller of `activation` (none: the window has just
  // opened), then looks `word` up when the window is free. A word that is empty or blank after
  // InstanceWord only brings the window to the front.
  void Take(const QString& word, const std::optional<platform::ActivationToken>& activation);

 private:
  void BringToFront(const platform::ActivationToken& activation);
  void TypeWhenFree();

  MainView& view_;
  QLineEdit* searchBox_;
  std::optional<QString> waiting_;
  QTimer retry_;
};

}  // namespace quorvel::ui
