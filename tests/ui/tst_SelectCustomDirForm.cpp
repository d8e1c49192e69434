// The folder dialog on its own: the questions it asks, browsing the volumes and the folder
// tree, and its OK on folders the test makes (under a home folder of its own).
#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTreeView>

#include "tests/ui/ModalSteps.h"
#include "ui/SelectCustomDirFormU.h"

using quorvel::FolderMode;
using quorvel::test::OnNextModal;
using quorvel::test::TypeText;
using quorvel::ui::FolderQuestion;
using quorvel::ui::TSelectCustomDirForm;

class tst_SelectCustomDirForm : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void questionsOfTheUserEntriesFolder();
  void browsingFillsTheFolderField();
  void okMakesTheFolderWithItsDataFolder();
  void aFolderThatCannotBeMadeKeepsTheDialogOpen();
  void okStepDecidesTheResult();

 private:
  template <typename T>
  T* W(const char* name) const {
    T* widget = dialog_->findChild<T*>(QString::fromLatin1(name));
    if (!widget) qFatal("no control %s", name);
    return widget;
  }
  QLineEdit* Folder() const { return W<QLineEdit>("Dir_Edit"); }
  QPushButton* Ok() const { return W<QPushButton>("BitBtn1"); }
  void Open(FolderQuestion question) {
    dialog_->SetQuestion(std::move(question));
    dialog_->open();
    QVERIFY(QTest::qWaitForWindowExposed(dialog_.get()));
  }
  void TypeFolder(const QString& folder) {
    Folder()->selectAll();
    TypeText(Folder(), folder);
  }

  std::unique_ptr<QTemporaryDir> homeDir_;
  QString home_;
  QByteArray savedHome_;
  std::unique_ptr<TSelectCustomDirForm> dialog_;
  std::unique_ptr<quorvel::test::ModalGuard> guard_;
};

void tst_SelectCustomDirForm::init() {
  homeDir_ = std::make_unique<QTemporaryDir>();
  QVERIFY(homeDir_->isValid());
  home_ = homeDir_->path();
  savedHome_ = qgetenv("HOME");
  qputenv("HOME", QFile::encodeName(home_));
  dialog_ = std::make_unique<TSelectCustomDirForm>();
  guard_ = std::make_unique<quorvel::test::ModalGuard>();
}

void tst_SelectCustomDirForm::cleanup() {
  dialog_.reset();
  guard_.reset();
  qputenv("HOME", savedHome_);
  homeDir_.reset();
}

void tst_SelectCustomDirForm::questionsOfTheUserEntriesFolder() {
  Open(quorvel::ui::UserEntriesQuestion(FolderMode::kNull));
  QCOMPARE(dialog_->windowTitle(), QStringLiteral("Επιλογή φακέλου για επεξεργασμένα λήμματα"));
  QVERIFY(W<QLabel>("Image1")->isVisible());
  QVERIFY(!W<QLabel>("Image2")->isVisible());
  QCOMPARE(W<QTextEdit>("MsgMemo")->toPlainText(),
           QStringLiteral("Για να επεξεργαστείτε λήμματα στο Orvanta πρέπει να ορίσετε στον υπολογιστή σας "
                          "το φάκελο μέσα στον οποίο θα αποθηκεύονται οι τροποποιήσεις.\n\n"
                          "Για δική σας ευκολία μπορείτε να κρατήσετε το φάκελο που προτείνεται παρακάτω."));
  QCOMPARE(W<QLabel>("Label1")->text(), QStringLiteral("Φάκελος"));
  QCOMPARE(Folder()->text(), home_ + QStringLiteral("/Quorvel"));
  QCOMPARE(dialog_->focusWidget(), Folder());
  QVERIFY(Ok()->isDefault());
  QCOMPARE(Ok()->text(), QStringLiteral("OK"));
  QCOMPARE(W<QPushButton>("BitBtn2")->text(), QStringLiteral("Άκυρο"));
  for (QWidget* control : dialog_->findChildren<QWidget*>()) {
    if (control->focusPolicy() != Qt::NoFocus && control->isVisible()) {
      QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
    }
  }
  // Esc cancels.
  QTest::keyClick(Folder(), Qt::Key_Escape);
  QCOMPARE(dialog_->result(), int(QDialog::Rejected));

  dialog_ = std::make_unique<TSelectCustomDirForm>();
  Open(quorvel::ui::UserEntriesQuestion(FolderMode::kInvalid));
  QVERIFY(W<QTextEdit>("MsgMemo")->toPlainText().startsWith(
      QStringLiteral("Ο φάκελος που έχει οριστεί για την αποθήκευση των επεξεργασμένων λημμάτων δεν είναι έγκυρος.")));
  QCOMPARE(Folder()->text(), home_ + QStringLiteral("/Quorvel"));

  // Without a question of its own the dialog keeps its designed caption and both pictures.
  dialog_ = std::make_unique<TSelectCustomDirForm>();
  Open(FolderQuestion{});
  QCOMPARE(dialog_->windowTitle(), QStringLiteral("Επιλογή Φακέλου για Επεξεργασμένα Λήμματα"));
  QVERIFY(W<QLabel>("Image1")->isVisible());
  QVERIFY(W<QLabel>("Image2")->isVisible());
  QCOMPARE(W<QTextEdit>("MsgMemo")->toPlainText(), QString());
}

void tst_SelectCustomDirForm::browsingFillsTheFolderField() {
  QVERIFY(QDir(home_).mkpath(QStringLiteral("ships/tankers")));
  const QString before = QDir::currentPath();
  Open(quorvel::ui::UserEntriesQuestion(FolderMode::kNull));

  auto* volumes = W<QComboBox>("DriveComboBox1");
  QCOMPARE(volumes->itemText(0), QStringLiteral("/"));
  QCOMPARE(volumes->itemText(1), home_);
  QCOMPARE(volumes->currentIndex(), 0);
  volumes->setFocus();
  QTest::keyClick(volumes, Qt::Key_Down);  // the home folder
  QCOMPARE(Folder()->text(), home_);

  // The tree lists the folders below the chosen volume; moving through it fills the field.
  auto* tree = W<QTreeView>("DirectoryListBox1");
  auto* model = static_cast<QFileSystemModel*>(tree->model());
  const QModelIndex ships = model->index(home_ + QStringLiteral("/ships"));
  QTRY_VERIFY(model->rowCount(tree->rootIndex()) == 1);
  QCOMPARE(tree->rootIndex(), model->index(home_));
  const QRect row = tree->visualRect(ships);
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, row.center());
  QCOMPARE(Folder()->text(), home_ + QStringLiteral("/ships"));
  tree->expand(ships);
  QTRY_VERIFY(model->rowCount(ships) == 1);
  QTest::keyClick(tree, Qt::Key_Down);
  QCOMPARE(Folder()->text(), home_ + QStringLiteral("/ships/tankers"));

  // Browsing never changes the current directory.
  QCOMPARE(QDir::currentPath(), before);
  QTest::mouseClick(Ok(), Qt::LeftButton);
  QCOMPARE(dialog_->result(), int(QDialog::Accepted));
  QCOMPARE(dialog_->folder(), home_ + QStringLiteral("/ships/tankers"));
  QVERIFY(QFileInfo(home_ + QStringLiteral("/ships/tankers/Data")).isDir());
  QCOMPARE(QDir::currentPath(), before);
}

void tst_SelectCustomDirForm::okMakesTheFolderWithItsDataFolder() {
  Open(quorvel::ui::UserEntriesQuestion(FolderMode::kNull));
  QTest::keyClick(Folder(), Qt::Key_Return);  // the proposal
  QCOMPARE(dialog_->result(), int(QDialog::Accepted));
  QVERIFY(QFileInfo(home_ + QStringLiteral("/Quorvel/Data")).isDir());

  // A folder typed with a trailing separator, several levels deep.
  dialog_ = std::make_unique<TSelectCustomDirForm>();
  Open(quorvel::ui::UserEntriesQuestion(FolderMode::kNull));
  TypeFolder(home_ + QStringLiteral("/a/b/"));
  QTest::keyClick(Folder(), Qt::Key_Return);
  QCOMPARE(dialog_->result(), int(QDialog::Accepted));
  QCOMPARE(dialog_->folder(), home_ + QStringLiteral("/a/b/"));
  QVERIFY(QFileInfo(home_ + QStringLiteral("/a/b/Data")).isDir());

  // An empty field closes with OK and makes nothing.
  dialog_ = std::make_unique<TSelectCustomDirForm>();
  Open(quorvel::ui::UserEntriesQuestion(FolderMode::kNull));
  Folder()->clear();
  QTest::mouseClick(Ok(), Qt::LeftButton);
  QCOMPARE(dialog_->result(), int(QDialog::Accepted));
  QCOMPARE(dialog_->folder(), QString());
}

void tst_SelectCustomDirForm::aFolderThatCannotBeMadeKeepsTheDialogOpen() {
  QFile file(home_ + QStringLiteral("/file"));
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.close();
  Open(quorvel::ui::UserEntriesQuestion(FolderMode::kNull));
  QString message;
  OnNextModal([&message](QWidget* box) {
    message = static_cast<QMessageBox*>(box)->text();
    QTest::keyClick(box, Qt::Key_Return);
  });
  TypeFolder(home_ + QStringLiteral("/file/sub"));
  QTest::mouseClick(Ok(), Qt::LeftButton);
  QTRY_COMPARE(message, QStringLiteral("Παρουσιάστηκε πρόβλημα κατά τη δημιουργία του φακέλου. "
                                       "Παρακαλώ επιλέξτε άλλο φάκελο"));
  QVERIFY(dialog_->isVisible());

  // A name with a line break could not be remembered: the same answer.
  message.clear();
  OnNextModal([&message](QWidget* box) {
    message = static_cast<QMessageBox*>(box)->text();
    QTest::keyClick(box, Qt::Key_Return);
  });
  Folder()->setText(home_ + QStringLiteral("/two\nlines"));
  QTest::mouseClick(Ok(), Qt::LeftButton);
  QTRY_VERIFY(!message.isEmpty());
  QVERIFY(dialog_->isVisible());
  QVERIFY(!QFileInfo::exists(home_ + QStringLiteral("/two\nlines")));
}

// The install mode needs only its own question and OK step.
void tst_SelectCustomDirForm::okStepDecidesTheResult() {
  QStringList steps;
  FolderQuestion install{QStringLiteral("Επιλογή φακέλου για εγκατάσταση λεξικού"),
                         FolderQuestion::Picture::kInstall, QStringLiteral("Install text."),
                         [&steps](const QString& folder) {
                           steps << folder;
                           return steps.size() > 1;
                         }};
  Open(install);
  QVERIFY(!W<QLabel>("Image1")->isVisible());
  QVERIFY(W<QLabel>("Image2")->isVisible());
  QCOMPARE(dialog_->windowTitle(), QStringLiteral("Επιλογή φακέλου για εγκατάσταση λεξικού"));
  QTest::mouseClick(Ok(), Qt::LeftButton);
  QCOMPARE(steps, QStringList{home_ + QStringLiteral("/Quorvel")});
  QCOMPARE(dialog_->result(), int(QDialog::Rejected));

  dialog_ = std::make_unique<TSelectCustomDirForm>();
  Open(install);
  QTest::mouseClick(Ok(), Qt::LeftButton);
  QCOMPARE(steps.size(), 2);
  QCOMPARE(dialog_->result(), int(QDialog::Accepted));
}

QTEST_MAIN(tst_SelectCustomDirForm)
#include "tst_SelectCustomDirForm.moc"
