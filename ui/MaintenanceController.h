// The data tools behind the main window's three hidden buttons: Button1 builds the published
// data files from utils/Docs, Button2 checks that every published description reads as RTF,
// Button3 reports the byte range of data/igr_.tbo. Each message of a tool is shown in a message
// box after the run. A developer clicks the buttons with Ctrl+Alt+Shift+1, 2 and 3.
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <string>
#include <vector>

#include "core/FileSystem.h"
#include "maintenance/DataBuild.h"

namespace quorvel::ui {

struct MainLexForm;

class MaintenanceController : public QObject {
  Q_OBJECT

 public:
  // `programDir` is the program folder, ending with "/", whose files the tools reach through
  // `fs` (which must outlive the controller); `reload` runs after a build, so that the window
  // shows the new data.
  MaintenanceController(FileSystem& fs, const QString& programDir, QWidget* window, const MainLexForm& form,
                        std::function<void()> reload);

  void Button1Click();
  void Button2Click();
  void Button3Click();

 private:
  static maintenance::MessageSink Collect(std::vector<std::string>& messages);
  void Show(const std::vector<std::string>& messages);

  FileSystem& fs_;
  std::string programDir_;
  QWidget* window_;
  std::function<void()> reload_;
};

}  // namespace quorvel::ui
