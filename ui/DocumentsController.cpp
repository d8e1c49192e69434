#include "ui/DocumentsController.h"

#include <QAction>
#include <QFileInfo>
#include <QLineEdit>
#include <QToolButton>
#include <QUrl>

#include "core/Paths.h"
#include "platform/PosixFileSystem.h"
#include "platform/Desktop.h"
#include "ui/CopyrightFormU.h"
#include "ui/LinkLabel.h"
#include "ui/MainLexForm.h"
#include "ui/ProblemMessage.h"
#include "ui/SearchBox.h"
#include "ui/ToolBar.h"

namespace quorvel::ui {
namespace {

// `relative` in the program folder, its folders matched case-insensitively as the data's are.
QString InProgramFolder(const QString& programDir, const char* relative) {
  PosixFileSystem fs;
  return QString::fromLocal8Bit(
      ResolveCaseInsensitive(fs, (programDir + QString::fromLatin1(relative)).toLocal8Bit().toStdString()));
}

}  // namespace

DocumentsController::DocumentsController(const QString& programDir, platform::Desktop& desktop,
                                         QWidget* window, const MainLexForm& form)
    : programDir_(programDir), desktop_(desktop), window_(window), form_(form) {
  connect(form.PrefaceMenu, &QAction::triggered, this, &DocumentsController::PrefaceMenuClick);
  connect(form.SIMenu, &QAction::triggered, this, &DocumentsController::SIMenuClick);
  connect(form.ChemicalMenu, &QAction::triggered, this, &DocumentsController::ChemicalMenuClick);
  connect(form.toolBar->button(Tool::Help), &QToolButton::clicked, this, &DocumentsController::Help_ButtonClick);
  connect(form.CopyrightLabel, &LinkLabel::clicked, this, &DocumentsController::CopyrightLabelClick);
  connect(form.Quenborath_Label, &LinkLabel::clicked, this, &DocumentsController::Quenborath_LabelClick);
  connect(form.QuenImage, &LinkLabel::clicked, this, &DocumentsController::Quenborath_LabelClick);
}

void DocumentsController::PrefaceMenuClick() {
  ShowHtmlDocument("content/Preface.htm", QStringLiteral("Το αρχείο προλόγου δε βρέθηκε"));
}

void DocumentsController::SIMenuClick() {
  ShowHtmlDocument("content/PinSI.htm", QStringLiteral("Το αρχείο του Διεθνούς Συστήματος Μονάδων δε βρέθηκε"));
}

void DocumentsController::ChemicalMenuClick() {
  ShowHtmlDocument("content/PinChem.htm", QStringLiteral("Ο Πίνακας Χημικών Στοιχείων δε βρέθηκε"));
}

void DocumentsController::Help_ButtonClick() {
  ShowHtmlDocument("content/Quorvel.htm", QStringLiteral("Το αρχείο βοήθειας δε βρέθηκε"));
}

void DocumentsController::ShowHtmlDocument(const char* path, const QString& message) {
  const QFileInfo document(InProgramFolder(programDir_, path));
  if (!document.isFile() || !desktop_.Open(QUrl::fromLocalFile(document.absoluteFilePath()))) {
    ShowProblem(window_, message);
  }
}

void DocumentsController::CopyrightLabelClick() {
  {
    TCopyrightForm form(desktop_, programDir_, window_);
    form.exec();
  }
  window_->activateWindow();
  form_.Entry_Text->setFocus();
}

// The presentation gets the program folder, so that it finds its pictures wherever it runs.
void DocumentsController::Quenborath_LabelClick() {
  const QFileInfo program(InProgramFolder(programDir_, "content/QuenPres"));
  if (!program.isFile() || !program.isExecutable() ||
      !desktop_.Start(program.absoluteFilePath(), {programDir_}, programDir_)) {
    ShowProblem(window_, QStringLiteral("Το πρόγραμμα της παρουσίασης δε βρέθηκε"));
  }
}

}  // namespace quorvel::ui
