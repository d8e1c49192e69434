// The install command of the main window: the install label asks for a folder in the folder
// dialog's install question, whose OK installs the program folder there (core/Installation.h),
// remembers the folder as the folder of the user's entries and says how it went.
#pragma once

#include <QObject>
#include <QString>

namespace quorvel {
class Session;
}

namespace quorvel::ui {

class LinkLabel;
class MainView;

class InstallController : public QObject {
  Q_OBJECT

 public:
  // `label` is the window's install label.
  InstallController(Session& session, MainView& view, LinkLabel* label);

  void InstallLabelClick();

 private:
  // The dialog's OK step: true when the steps ran to the end.
  bool Install_Files(const QString& folder);

  Session& session_;
  MainView& view_;
  bool stopped_ = false;  // the last install was stopped by a failure
};

}  // namespace quorvel::ui
