// The frame of the program's modal dialogs: a fixed single border without border icons,
// centred on the window that owns it, kept on the screen together with that window, and the
// OK and Cancel buttons of their lower edge.
#pragma once

#include <QString>

class QDialog;
class QPushButton;
class QWidget;

namespace quorvel::ui {

// A title bar with the caption only (no system menu, minimise, maximise or close box asked
// for) and a size fixed to what the dialog's layout asks for, or, without a layout, to the
// dialog's size now (a dialog that grows later fixes its new size itself). A window manager
// that shows border icons anyway offers no maximise for a window of fixed size, and its
// minimise is undone (KeepRestoredWithOwner); its close box cancels, as Escape does.
void SetFixedDialogFrame(QDialog* dialog, const QString& caption);

// While the modal `dialog` is shown, minimising it or the window that owns it (which some
// window managers do to both, leaving a desktop without a task bar with nothing to restore)
// restores both at once.
void KeepRestoredWithOwner(QDialog* dialog);

// Moves the top-level `dialog` so that its outer rectangle is centred on that of its parent's
// window, its frame taken to be the owner's. Call it before the dialog is mapped (from its
// showEvent). Does nothing without a parent.
void CentreOnOwner(QWidget* dialog);

// The button that closes `dialog` with the OK result (the default button) and the one that
// closes it with the Cancel result (also Esc), with their standard glyphs. A screen reader
// names each by its caption.
QPushButton* OkButton(QDialog* dialog, const char* name, const QString& caption);
QPushButton* CancelButton(QDialog* dialog, const char* name, const QString& caption);

}  // namespace quorvel::ui
