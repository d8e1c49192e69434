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
#include <QTextDocument>
#include <QTreeView>

#include <algorithm>
#include <cmath>
#include <memory>

#include "ui/Artwork.h"
#include "ui/DialogFrame.h"
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

// The design: the explanation and the folder tree above, the folder row and the buttons below.
constexpr QSize kDesignSize(477, 218);
constexpr QRect kMemoRect(48, 16, 233, 113);
constexpr QRect kTreeRect(288, 17, 177, 112);
constexpr int kFolderRowTop = 136;
constexpr int kButtonsTop = 176;

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
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(8);
  setFont(font);
  resize(kDesignSize);

  Image1 = Picture(this, "Image1", "folder_entries", QRect(8, 16, 41, 33));
  Image2 = Picture(this, "Image2", "folder_install", QRect(8, 16, 49, 49));

  MsgMemo = Named(new QTextEdit(this), "MsgMemo", QStringLiteral("Μήνυμα"));
  MsgMemo->setGeometry(kMemoRect);
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
  // The caption as wide as its text needs; the field keeps its right edge.
  const int captionWidth = std::max(54, Label1->fontMetrics().horizontalAdvance(Label1->text()) + 1);
  Label1->setGeometry(8, kFolderRowTop, captionWidth, 21);
  Label1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  Dir_Edit = Named(new QLineEdit(this), "Dir_Edit", QStringLiteral("Φάκελος"));
  const int fieldLeft = std::max(64, 8 + captionWidth + 2);
  Dir_Edit->setGeometry(fieldLeft, kFolderRowTop, 64 + 209 - fieldLeft, 21);
  Label1->setBuddy(Dir_Edit);

  folders_ = new QFileSystemModel(this);
  folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
  folders_->setReadOnly(true);
  DirectoryListBox1 = Named(new QTreeView(this), "DirectoryListBox1", QStringLiteral("Φάκελοι"));
  DirectoryListBox1->setGeometry(kTreeRect);
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
  DriveComboBox1->setGeometry(288, kFolderRowTop, 177, 21);
  connect(DriveComboBox1, &QComboBox::currentIndexChanged, this, &TSelectCustomDirForm::DriveComboBox1Change);

  BitBtn1 = Named(new QPushButton(QStringLiteral("OK"), this), "BitBtn1", QStringLiteral("OK"));
  BitBtn1->setGeometry(128, kButtonsTop, 105, 25);
  BitBtn1->setDefault(true);
  connect(BitBtn1, &QPushButton::clicked, this, &TSelectCustomDirForm::BitBtn1Click);
  BitBtn2 = Named(new QPushButton(QStringLiteral("Άκυρο"), this), "BitBtn2", QStringLiteral("Άκυρο"));
  BitBtn2->setGeometry(256, kButtonsTop, 105, 25);
  BitBtn2->setAutoDefault(false);
  connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

  setTabOrder(Dir_Edit, DirectoryListBox1);
  setTabOrder(DirectoryListBox1, DriveComboBox1);
  setTabOrder(DriveComboBox1, BitBtn1);
  setTabOrder(BitBtn1, BitBtn2);
  SetFixedDialogFrame(this, kDesignCaption);
}

QString TSelectCustomDirForm::folder() const { return Dir_Edit->text(); }

// The dialog takes its size for the question before it is centred and mapped.
void TSelectCustomDirForm::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

// The explanation is read whole, without scrolling: where the font needs more lines than the
// designed memo holds, the memo and the tree beside it grow downwards, and the folder row,
// the buttons and the dialog's lower edge move down by as much.
void TSelectCustomDirForm::FitExplanation() {
  const std::unique_ptr<QTextDocument> probe(MsgMemo->document()->clone());
  probe->setTextWidth(kMemoRect.width() - 2 * MsgMemo->frameWidth());
  const int needed = static_cast<int>(std::ceil(probe->size().height())) + 2 * MsgMemo->frameWidth();
  const int growth = std::max(0, needed - kMemoRect.height());
  MsgMemo->setGeometry(kMemoRect.adjusted(0, 0, 0, growth));
  DirectoryListBox1->setGeometry(kTreeRect.adjusted(0, 0, 0, growth));
  for (QWidget* row : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(Dir_Edit),
                       static_cast<QWidget*>(DriveComboBox1)}) {
    row->move(row->x(), kFolderRowTop + growth);
  }
  for (QWidget* button : {BitBtn1, BitBtn2}) button->move(button->x(), kButtonsTop + growth);
  setFixedSize(kDesignSize + QSize(0, growth));
}

void TSelectCustomDirForm::FormShow() {
  setWindowTitle(question_.caption.isEmpty() ? kDesignCaption : question_.caption);
  Image1->setVisible(question_.picture != FolderQuestion::Picture::kInstall);
  Image2->setVisible(question_.picture != FolderQuestion::Picture::kUserEntries);
  MsgMemo->setPlainText(question_.text);
  FitExplanation();

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
