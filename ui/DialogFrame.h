// The frame of the program's small modal dialogs: a fixed single border without border icons,
// centred on the window that owns it, and the OK and Cancel buttons of their lower edge.
#pragma once

#include <QString>

class QDialog;
class QPushButton;
class QWidget;

namespace quorvel::ui {

// A title bar with the caption only (no system menu, minimise, maximise or close box) and a
// size fixed to what the dialog's layout asks for.
void SetFixedDialogFrame(QDialog* dialog, const QString& caption);

// Moves the top-level `dialog` so that its outer rectangle is centred on that of its parent's
// window, its frame taken to be the owner's. Call it before the dialog is mapped (from its
// showEvent). Does nothing without a parent.
void CentreOnOwner(QWidget* dialog);

// The button that closes `dialog` with the OK result (the default button) and the one that
// closes it with the Cancel result (also Esc), with their standard glyphs. Both are named for
// a screen reader in Greek.
QPushButton* OkButton(QDialog* dialog, const char* name, const QString& caption);
QPushButton* CancelButton(QDialog* dialog, const char* name, const QString& caption);

}  // namespace quorvel::ui
