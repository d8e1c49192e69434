// The message box that says a document, a link or a program could not be opened: the text under
// the title "Πρόβλημα", with the exclamation icon and an OK button.
#pragma once

#include <QString>

class QWidget;

namespace quorvel::ui {

void ShowProblem(QWidget* owner, const QString& text);

}  // namespace quorvel::ui
