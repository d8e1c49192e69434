// The folder chooser: the folder of the user's entries, or the folder to install into. The
// question it asks (caption, picture, explanation) and what its OK does once the folder exists
// are given by the caller; the folder field proposes "Quorvel" in the home folder, and a list
// of the mounted volumes with a folder tree below the chosen one fills it by browsing.
#pragma once

#include <QDialog>
#include <QString>

#include <functional>

#include "core/UserEntriesFolder.h"
#include "core/FileSystem.h"

class QComboBox;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;
class QTreeView;

namespace quorvel::ui {

// What the dialog asks and does.
struct FolderQuestion {
  enum class Picture { kNone, kUserEntries, kInstall };

  QString caption;  // empty: the designed caption
  Picture picture = Picture::kNone;  // kNone shows both pictures
  QString text;     // the explanation; paragraphs separated by "\n"
  // Runs when OK finds the typed folder there (made with its "Data" sub-folder), with the
  // folder as typed: true closes the dialog with OK, false with Cancel. Without it OK closes
  // with OK.
  std::function<bool(const QString& folder)> okStep;
};

// The two questions about the folder of the user's entries (kNull and kInvalid).
FolderQuestion UserEntriesQuestion(FolderMode mode);
// The question of the installation (kInstall); `install` is its OK step.
FolderQuestion InstallQuestion(std::function<bool(const QString& folder)> install);

class TSelectCustomDirForm : public QDialog {
  Q_OBJECT

 public:
  // OK makes and tries the chosen folder through `fs` and `writer`, which must outlive the
  // dialog.
  TSelectCustomDirForm(FileSystem& fs, QWidget* parent = nullptr);

  // The question of the next showing (the "FolderMode" of the dialog).
  void SetQuestion(FolderQuestion question) { question_ = std::move(question); }
  // The folder field's text, as typed or picked.
  QString folder() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
  void FitExplanation();
  void DriveComboBox1Change(int index);
  void DirectoryListBox1Change();
  void BitBtn1Click();

  FolderQuestion question_;
  FileSystem& fs_;
  bool revealing_ = false;  // the tree keeps its current folder in sight while it is read

  QLabel* Image1 = nullptr;
  QLabel* Image2 = nullptr;
  QTextEdit* MsgMemo = nullptr;
  QLabel* Label1 = nullptr;
  QLineEdit* Dir_Edit = nullptr;
  QFileSystemModel* folders_ = nullptr;
  QTreeView* DirectoryListBox1 = nullptr;
  QComboBox* DriveComboBox1 = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QPushButton* BitBtn2 = nullptr;
};

// The roots the volume list offers: "/" first, then the home folder, then every other mounted
// volume that can be browsed.
QStringList FolderRoots();

}  // namespace quorvel::ui
