#include "ui/SelectCustomDirFormU.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStorageInfo>
#include <QTextEdit>
#include <QTreeView>

#include "ui/Artwork.h"
#include "ui/GreekMessageBox.h"

namespace quorvel::ui {
namespace {

const QString kDesignCaption = QStringLiteral("Επιλογή Φακέλου για Επεξεργασμένα Λήμματα");
const QString kUserEntriesCaption = QStringLiteral("Επιλογή φακέλου για επεξεργασμένα λήμματα");
const QString kNullText = QStringLiteral(
    "Για να επεξεργαστείτε λήμματα στο Orvanta πρέπει να ορίσετε στον υπολογιστή σας το φάκελο "
    "μέσα στον οποίο θα αποθηκεύονται οι τροποποιήσεις.\n\n"
    "Για δική σας ευκολία μπορείτε να κρατήσετε το φάκελο που προτείνεται παρακάτω.");
const QString kInvalidText = QStringLiteral(
    "Ο φάκελος που έχει οριστεί για την αποθήκευση των επεξεργασμένων λημμάτων δεν είναι "
    "έγκυρος. Αν υπάρχουν ήδη επεξεργασμένα λήμματα πρέπει να ορίσετε το φάκελο που τα "
    "περιέχει ώστε το λεξικό να τα βρει. Αν δεν υπάρχουν τότε πρέπει να ορίσετε το φάκελο μέσα "
    "στον οποίο θα αποθηκεύονται αυτά που θα δημιουργήσετε.");
const QString kInstallCaption = QStringLiteral("Επιλογή φακέλου για εγκατάσταση λεξικού");
const QString kInstallText = QStringLiteral(
    "Παρακαλώ επιλέξτε το φάκελο του δίσκου σας στον οποίο θα εγκατασταθεί το Orvanta. Άμα "
    "θέλετε να εγκατασταθεί σε νέο φάκελο απλά πληκτρολογήστε τον στο χώρο από κάτω. Σας "
    "προτείνουμε να κρατήσετε το φάκελο που εμφανίζεται. Η διαδικασία της εγκατάστασης θα "
    "δημιουργήσει εικονίδιο για το λεξικό στην επιφάνεια εργασίας.");
const QString kCreateFailed = QStringLiteral(
    "Παρουσιάστηκε πρόβλημα κατά τη δημιουργία του φακέλου. Παρακαλώ επιλέξτε άλλο φάκελο");

template <typename Widget>
Widget* Named(Widget* widget, const char* name, const QString& accessibleName) {
  widget->setObjectName(QString::fromLatin1(name));
  widget->setAccessibleName(accessibleName);
  return widget;
}

QLabel* Picture(QWidget* dialog, const char* name, const char* artwork, const QRect& rect) {
  auto* picture = Named(new QLabel(dialog), name, QStringLiteral("Εικόνα"));
  picture->setGeometry(rect);
  picture->setAttribute(Qt::WA_TranslucentBackground);
  picture->setPixmap(ArtworkPixmap(QString::fromLatin1(artwork), rect.size()));
  return picture;
}

std::string LocalPath(const QString& text) { return QFile::encodeName(text).toStdString(); }

}  // namespace

FolderQuestion UserEntriesQuestion(FolderMode mode) {
  FolderQuestion question;
  question.caption = kUserEntriesCaption;
  question.picture = FolderQuestion::Picture::kUserEntries;
  question.text = mode == FolderMode::kInvalid ? kInvalidText : kNullText;
  return question;
}

FolderQuestion InstallQuestion(std::function<bool(const QString& folder)> install) {
  FolderQuestion question;
  question.caption = kInstallCaption;
  question.picture = FolderQuestion::Picture::kInstall;
  question.text = kInstallText;
  question.okStep = std::move(install);
  return question;
}

QStringList FolderRoots() {
  QStringList roots{QStringLiteral("/")};
  const QString home = QDir::homePath();
  if (!roots.contains(home)) roots << home;
  QStringList volumes;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (volume.isValid() && volume.isReady() && !roots.contains(volume.rootPath())) {
      volumes << volume.rootPath();
    }
  }
  volumes.sort();
  volumes.removeDuplicates();
  return roots + volumes;
}

TSelectCustomDirForm::TSelectCustomDirForm(FileSystem& fs, QWidget* parent)
    : QDialog(parent), fs_(fs) {
  setObjectName(QStringLiteral("SelectCustomDirForm"));
  setWindowTitle(kDesignCaption);
  // A single border with the caption only.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(8);
  setFont(font);
  setFixedSize(477, 218);

  Image1 = Picture(this, "Image1", "folder_entries", QRect(8, 16, 41, 33));
  Image2 = Picture(this, "Image2", "folder_install", QRect(8, 16, 49, 49));

  MsgMemo = Named(new QTextEdit(this), "MsgMemo", QStringLiteral("Μήνυμα"));
  MsgMemo->setGeometry(48, 16, 233, 113);
  MsgMemo->setReadOnly(true);
  MsgMemo->setFrameStyle(QFrame::NoFrame);
  MsgMemo->setFocusPolicy(Qt::NoFocus);
  MsgMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  QPalette face = MsgMemo->palette();
  face.setColor(QPalette::Base, face.color(QPalette::Button));
  MsgMemo->setPalette(face);
  QTextOption centred(Qt::AlignHCenter);
  centred.setWrapMode(QTextOption::WordWrap);
  MsgMemo->document()->setDefaultTextOption(centred);

  Label1 = Named(new QLabel(QStringLiteral("Φάκελος"), this), "Label1", QStringLiteral("Φάκελος"));
  Label1->setGeometry(8, 136, 54, 21);
  Label1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  Dir_Edit = Named(new QLineEdit(this), "Dir_Edit", QStringLiteral("Φάκελος"));
  Dir_Edit->setGeometry(64, 136, 209, 21);
  Label1->setBuddy(Dir_Edit);

  folders_ = new QFileSystemModel(this);
  folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
  folders_->setReadOnly(true);
  DirectoryListBox1 = Named(new QTreeView(this), "DirectoryListBox1", QStringLiteral("Φάκελοι"));
  DirectoryListBox1->setGeometry(288, 17, 177, 112);
  DirectoryListBox1->setModel(folders_);
  DirectoryListBox1->setHeaderHidden(true);
  for (int column = 1; column < folders_->columnCount(); ++column) DirectoryListBox1->hideColumn(column);
  DirectoryListBox1->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  DirectoryListBox1->header()->setStretchLastSection(false);
  connect(DirectoryListBox1->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &TSelectCustomDirForm::DirectoryListBox1Change);
  // The folders are read and sorted in the background: until the user moves in the tree, it
  // keeps the proposal's place in sight as they arrive.
  const auto reveal = [this] {
    if (revealing_) DirectoryListBox1->scrollTo(DirectoryListBox1->currentIndex());
  };
  connect(folders_, &QFileSystemModel::layoutChanged, this, reveal);
  connect(folders_, &QFileSystemModel::rowsInserted, this, reveal);

  DriveComboBox1 = Named(new QComboBox(this), "DriveComboBox1", QStringLiteral("Μονάδες δίσκου"));
  DriveComboBox1->setGeometry(288, 136, 177, 21);
  connect(DriveComboBox1, &QComboBox::currentIndexChanged, this, &TSelectCustomDirForm::DriveComboBox1Change);

  BitBtn1 = Named(new QPushButton(QStringLiteral("OK"), this), "BitBtn1", QStringLiteral("Εντάξει"));
  BitBtn1->setGeometry(128, 176, 105, 25);
  BitBtn1->setDefault(true);
  connect(BitBtn1, &QPushButton::clicked, this, &TSelectCustomDirForm::BitBtn1Click);
  BitBtn2 = Named(new QPushButton(QStringLiteral("Άκυρο"), this), "BitBtn2", QStringLiteral("Άκυρο"));
  BitBtn2->setGeometry(256, 176, 105, 25);
  BitBtn2->setAutoDefault(false);
  connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

  setTabOrder(Dir_Edit, DirectoryListBox1);
  setTabOrder(DirectoryListBox1, DriveComboBox1);
  setTabOrder(DriveComboBox1, BitBtn1);
  setTabOrder(BitBtn1, BitBtn2);
}

QString TSelectCustomDirForm::folder() const { return Dir_Edit->text(); }

void TSelectCustomDirForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TSelectCustomDirForm::FormShow() {
  setWindowTitle(question_.caption.isEmpty() ? kDesignCaption : question_.caption);
  Image1->setVisible(question_.picture != FolderQuestion::Picture::kInstall);
  Image2->setVisible(question_.picture != FolderQuestion::Picture::kUserEntries);
  MsgMemo->setPlainText(question_.text);

  // The volume list starts at "/", the tree shows where the proposed folder lies, and the
  // folder field proposes it.
  const QSignalBlocker quiet(DriveComboBox1);
  DriveComboBox1->clear();
  DriveComboBox1->addItems(FolderRoots());
  DriveComboBox1->setCurrentIndex(0);
  DriveComboBox1Change(0);
  const QString proposed = QString::fromLocal8Bit(ProposedFolder(SystemFoldersFromEnvironment()));
  QString nearest = proposed;
  while (!QFileInfo(nearest).isDir() && QFileInfo(nearest).absolutePath() != nearest) {
    nearest = QFileInfo(nearest).absolutePath();
  }
  const QModelIndex place = folders_->index(nearest);
  DirectoryListBox1->setCurrentIndex(place);
  for (QModelIndex above = place.parent(); above.isValid(); above = above.parent()) {
    DirectoryListBox1->expand(above);
  }
  DirectoryListBox1->scrollTo(place);
  revealing_ = true;
  Dir_Edit->setText(proposed);
  Dir_Edit->setFocus();
  Dir_Edit->selectAll();
}

void TSelectCustomDirForm::DriveComboBox1Change(int index) {
  revealing_ = false;
  if (index < 0) return;
  const QString root = DriveComboBox1->itemText(index);
  DirectoryListBox1->setRootIndex(folders_->setRootPath(root));
  Dir_Edit->setText(root);
}

void TSelectCustomDirForm::DirectoryListBox1Change() {
  revealing_ = false;
  const QModelIndex current = DirectoryListBox1->currentIndex();
  if (current.isValid()) Dir_Edit->setText(folders_->filePath(current));
}

void TSelectCustomDirForm::BitBtn1Click() {
  const QString text = Dir_Edit->text();
  if (text.isEmpty()) return accept();
  if (!MakeChosenFolder(fs_, LocalPath(text))) return ShowMessage(this, kCreateFailed);
  if (!question_.okStep) return accept();
  question_.okStep(text) ? accept() : reject();
}

}  // namespace quorvel::ui
