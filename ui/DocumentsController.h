// The documents of the main window: the tables menu's preface, units and elements tables, the
// help document, the copyright window and the publisher's presentation program. Each opens
// through the desktop or says in a "Πρόβλημα" message box why it cannot.
#pragma once

#include <QObject>
#include <QString>

namespace quorvel::platform {
class Desktop;
}

namespace quorvel::ui {

struct MainLexForm;

class DocumentsController : public QObject {
  Q_OBJECT

 public:
  // `programDir` is the program folder, ending with "/". `desktop` must outlive the controller;
  // the form's controls belong to `window`.
  DocumentsController(const QString& programDir, platform::Desktop& desktop, QWidget* window,
                      const MainLexForm& form);

  void PrefaceMenuClick();
  void SIMenuClick();
  void ChemicalMenuClick();
  void Help_ButtonClick();
  void CopyrightLabelClick();
  void Quenborath_LabelClick();

 private:
  // Opens the document `path` (relative to the program folder) or shows `message`.
  void ShowHtmlDocument(const char* path, const QString& message);

  QString programDir_;
  platform::Desktop& desktop_;
  QWidget* window_;
  const MainLexForm& form_;
};

}  // namespace quorvel::ui
