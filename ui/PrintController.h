// Printing of the selected entry: the print document (core/PrintDocument.h) is built from the
// description view's RTF save and the entry's rows, read by the rich-text engine, laid out as
// the view lays out a description, and printed on the printer the user chooses, under the
// entry's job name. Failures print nothing and say nothing; the view is not changed.
#pragma once

#include <QObject>

#include <functional>
#include <string>

class QPrinter;

namespace quorvel {
class Session;
}

namespace quorvel::ui {

class RichTextView;
class MainView;

class PrintController : public QObject {
  Q_OBJECT

 public:
  // Lets the user choose and set up the printer; false when the user cancels.
  using PrinterChoice = std::function<bool(QPrinter& printer)>;

  // `window` and `description` must outlive the controller. The printer is chosen in the
  // print dialog.
  PrintController(Session& session, MainView& view, RichTextView* description);

  void Print_ButtonClick();

  // Replaces the print dialog (tests print to a PDF file without asking).
  void SetPrinterChoice(PrinterChoice choice) { choosePrinter_ = std::move(choice); }
  // The document of the last print (code page 1253 RTF), kept until the next print.
  const std::string& PrintText() const { return PrintText_; }

 private:
  bool ShowPrintDialog(QPrinter& printer);

  Session& session_;
  MainView& view_;
  RichTextView* description_;
  PrinterChoice choosePrinter_;
  std::string PrintText_;
};

}  // namespace quorvel::ui
