// What the main window's feature controllers may do to it: show what the session gives back,
// read what it shows, and stand behind their dialogs. A controller holds this view and the
// session, never the window itself; TMainLex is the one implementation.
#pragma once

#include <optional>
#include <string>

#include "core/EntryList.h"
#include "core/Session.h"

class QWidget;

namespace quorvel::ui {

class MainView {
 public:
  virtual ~MainView() = default;

  // The window: the parent of the controllers' dialogs, and what they raise, activate or
  // minimise.
  virtual QWidget* widget() = 0;

  // Every list and every shown entry goes through these (see TMainLex).
  virtual void ApplyList(const EntryList& list) = 0;
  virtual void ApplyOutcome(const std::optional<ListOutcome>& outcome) = 0;
  virtual void ClearView() = 0;

  virtual std::string SearchText() const = 0;
  // Writes the search box without starting a search.
  virtual void SetSearchTextQuietly(const std::string& text) = 0;
  virtual void FocusSearchBox() = 0;
  virtual bool GreekMode() const = 0;
  // Whether the desktop has a Greek keyboard layout (else the program maps the keys itself).
  virtual bool greekLayoutFound() const = 0;
  // The selected item of the entry list; nothing when none is selected.
  virtual std::optional<ListItem> SelectedItem() const = 0;
  // The plain text of the shown description (code page 1253).
  virtual std::string DescriptionPlainText() const = 0;

  // Reloads and shows the last list again when another program changed the user's files;
  // whether it did.
  virtual bool FollowUserFiles() = 0;
  // Whether a long description search runs: user input waits, and so does what would change
  // the session (a reload, a word from outside, a clipboard lookup) until it has ended.
  virtual bool busy() const = 0;
};

}  // namespace quorvel::ui
