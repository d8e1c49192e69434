// Copy, paste and quick translation of the main window. Copy puts on the clipboard what the
// user is looking at, chosen by the field that last had the focus: the selected list item or
// the search text, or the description's selection (plain text) or whole description (rich text
// beside plain text). Paste replaces the search text with the clipboard's text, which starts the
// search box's lookup. While quick translation is on, a text copied in any program is looked up
// the same way and brings the window back; when the user turns to another program, the window
// minimises itself. The program's own copies never start a lookup.
#pragma once

#include <QObject>
#include <QString>

#include <memory>

#include "platform/Clipboard.h"
#include "ui/MainLexForm.h"

namespace quorvel::ui {

class MainView;

class ClipboardController : public QObject {
  Q_OBJECT

 public:
  // The field names that the focus-enter handlers record.
  static constexpr const char* kEntriesList = "ENTRIES_LIST";
  static constexpr const char* kDescriptionText = "DESCRIPTION_TEXT";
  static constexpr const char* kEntryText = "ENTRY_TEXT";

  // `window` and the controls of `form` must outlive the controller.
  ClipboardController(MainView& view, const MainLexForm& form,
                      std::unique_ptr<platform::Clipboard> clipboard);
  ~ClipboardController() override;

  void Copy_ButtonClick();
  void Paste_ButtonClick();
  void AutoTranslate_ButtonClick();

  const QString& FocusedField() const { return FocusedField_; }
  bool QuickTranslateOn() const { return QuickTranslateOn_; }

 protected:
  // The focus-enter handlers of the search box, the list and the description.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The clipboard changed (any program's copy, or the program's own).
  void ClipboardChanged();
  void AppDeactivate();
  // Clears the search box and types `text` into it, as code page 1253 text.
  void ReplaceSearchText(const QString& text);
  void ShowQuickTranslateState();

  MainView& view_;
  const MainLexForm& f_;
  std::unique_ptr<platform::Clipboard> clipboard_;
  QString FocusedField_;
  bool CopyInProgress_ = false;
  bool lookupWaiting_ = false;  // a copy waits for a long search to end
  bool QuickTranslateOn_ = false;
};

}  // namespace quorvel::ui
