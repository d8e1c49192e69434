// The program's message boxes: its own Greek texts under the caption "Orvanta" (or the one
// given), with Greek buttons, shown modally over `parent`.
#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

namespace quorvel::ui {

// A message with an "OK" button and no icon.
void ShowMessage(QWidget* parent, const QString& text);
// A warning with an "OK" button.
void ShowWarning(QWidget* parent, const QString& text);
// A question with "Ναι" (the default) and "Όχι", no icon; true for "Ναι".
bool AskYesNo(QWidget* parent, const QString& title, const QString& text);

}  // namespace quorvel::ui
