#include "ui/InsertEntryfrmU.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

#include <algorithm>

#include "core/EntryEditing.h"
#include "ui/DialogFrame.h"
#include "ui/GreekMessageBox.h"
#include "ui/TextCodec.h"

namespace quorvel::ui {
namespace {

const QString kInsertCaption = QStringLiteral("Εισαγωγή Νέου Λήμματος");
const QColor kFieldColour(250, 255, 255);  // "$00FFFFFA"
const QColor kTeal(0, 128, 128);

constexpr int kLabelWidth = 100;  // the captions as designed, left of the fields at 112
constexpr int kFieldLeft = 112;
constexpr int kGap = 4;           // between a caption and its field

// A caption at its designed place, as wide as its text needs and at least as designed.
QLabel* Caption(QWidget* dialog, const char* name, const QString& text, int top) {
  auto* label = new QLabel(text, dialog);
  label->setObjectName(QString::fromLatin1(name));
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  const QFontMetrics metrics(bold);
  label->setGeometry(8, top, std::max(kLabelWidth, metrics.horizontalAdvance(text) + 1),
                     std::max(16, metrics.height()));
  return label;
}

QLineEdit* OneLineEdit(QWidget* dialog, const char* name, const QString& accessibleName, int top) {
  auto* edit = new QLineEdit(dialog);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setAccessibleName(accessibleName);
  edit->setGeometry(kFieldLeft, top, 242, 21);
  edit->setMaxLength(kUserHeadwordWidth);
  QPalette teal = edit->palette();
  teal.setColor(QPalette::Active, QPalette::Text, kTeal);
  teal.setColor(QPalette::Inactive, QPalette::Text, kTeal);
  edit->setPalette(teal);
  return edit;
}

void SetFieldColour(QWidget* field) {
  QPalette palette = field->palette();
  palette.setColor(QPalette::Base, kFieldColour);
  field->setPalette(palette);
}

}  // namespace

TInsertEntryFrm::TInsertEntryFrm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("InsertEntryFrm"));
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(8);
  setFont(font);
  resize(367, 233);

  Label1 = Caption(this, "Label1", QStringLiteral("Λήμμα (Αγγλικά)"), 12);
  Label3 = Caption(this, "Label3", QStringLiteral("Λήμμα (Ελληνικά)"), 36);
  Label2 = Caption(this, "Label2", QStringLiteral("Περιγραφή"), 68);
  InsertEntry_Text = OneLineEdit(this, "InsertEntry_Text", QStringLiteral("Λήμμα (Αγγλικά)"), 8);
  InsertEntry_Trans = OneLineEdit(this, "InsertEntry_Trans", QStringLiteral("Λήμμα (Ελληνικά)"), 32);
  InsertEntry_Descr = new QPlainTextEdit(this);
  InsertEntry_Descr->setObjectName(QStringLiteral("InsertEntry_Descr"));
  InsertEntry_Descr->setAccessibleName(QStringLiteral("Περιγραφή"));
  InsertEntry_Descr->setGeometry(kFieldLeft, 56, 242, 129);
  InsertEntry_Descr->setTabChangesFocus(true);
  Label1->setBuddy(InsertEntry_Text);
  Label3->setBuddy(InsertEntry_Trans);
  Label2->setBuddy(InsertEntry_Descr);

  InsertOk_Button = new QPushButton(QStringLiteral("Εισαγωγή"), this);
  InsertOk_Button->setObjectName(QStringLiteral("InsertOk_Button"));
  InsertOk_Button->setGeometry(kFieldLeft, 192, 113, 25);
  InsertOk_Button->setDefault(true);
  connect(InsertOk_Button, &QPushButton::clicked, this, &TInsertEntryFrm::InsertOk_ButtonClick);
  InsertCancel_Button = new QPushButton(QStringLiteral("Ακύρωση"), this);
  InsertCancel_Button->setObjectName(QStringLiteral("InsertCancel_Button"));
  InsertCancel_Button->setAccessibleName(QStringLiteral("Ακύρωση"));
  InsertCancel_Button->setGeometry(244, 192, 113, 25);
  InsertCancel_Button->setAutoDefault(false);
  connect(InsertCancel_Button, &QPushButton::clicked, this, &TInsertEntryFrm::InsertCancel_ButtonClick);

  // A caption longer than designed (another font) moves the fields and buttons right, and the
  // dialog grows by as much.
  const int widest = std::max({Label1->width(), Label3->width(), Label2->width()});
  const int shift = std::max(0, 8 + widest + kGap - kFieldLeft);
  for (QWidget* control : {static_cast<QWidget*>(InsertEntry_Text), static_cast<QWidget*>(InsertEntry_Trans),
                           static_cast<QWidget*>(InsertEntry_Descr), static_cast<QWidget*>(InsertOk_Button),
                           static_cast<QWidget*>(InsertCancel_Button)}) {
    control->move(control->x() + shift, control->y());
  }
  resize(width() + shift, height());
  SetFixedDialogFrame(this, kInsertCaption);

  setTabOrder(InsertEntry_Text, InsertEntry_Trans);
  setTabOrder(InsertEntry_Trans, InsertEntry_Descr);
  setTabOrder(InsertEntry_Descr, InsertOk_Button);
  setTabOrder(InsertOk_Button, InsertCancel_Button);
}

void TInsertEntryFrm::SetEditMode(EditMode mode, const EditedEntryTexts& texts) {
  mode_ = mode;
  edited_ = texts;
}

NewEntryTexts TInsertEntryFrm::Texts() const {
  // The raw text keeps every character as typed; paragraphs end in U+2029.
  QString description = InsertEntry_Descr->document()->toRawText();
  description.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  description.replace(QChar::LineSeparator, QLatin1Char('\n'));
  return NewEntryTexts{ToCp1253(InsertEntry_Text->text()), ToCp1253(InsertEntry_Trans->text()),
                       WithCrLfLineEnds(ToCp1253(description))};
}

void TInsertEntryFrm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TInsertEntryFrm::FormShow() {
  for (QWidget* field : {static_cast<QWidget*>(InsertEntry_Text), static_cast<QWidget*>(InsertEntry_Trans),
                         static_cast<QWidget*>(InsertEntry_Descr)}) {
    SetFieldColour(field);
  }
  // The headword and term of a published entry cannot be changed, only the user's addition.
  const bool update = mode_ == EditMode::kUpdate;
  const bool published = update && (edited_.origin == kOriginPublished || edited_.origin == kOriginAddition);
  const EditedEntryTexts texts = update ? edited_ : EditedEntryTexts{};
  setWindowTitle(update ? QStringLiteral("Τροποποίηση Λήμματος") : kInsertCaption);
  InsertOk_Button->setText(update ? QStringLiteral("Ok") : QStringLiteral("Εισαγωγή"));
  InsertOk_Button->setAccessibleName(InsertOk_Button->text());
  InsertEntry_Text->setEnabled(!published);
  InsertEntry_Trans->setEnabled(!published);
  InsertEntry_Text->setText(ToQString(texts.english));
  InsertEntry_Trans->setText(ToQString(texts.greek));
  InsertEntry_Descr->setPlainText(ToQString(texts.description).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  (published ? static_cast<QWidget*>(InsertEntry_Descr) : InsertEntry_Text)->setFocus();
}

void TInsertEntryFrm::InsertOk_ButtonClick() {
  const NewEntryTexts texts = Texts();
  switch (CheckEditorTexts(texts.english, texts.greek, texts.description)) {
    case EditorRefusal::kNoEnglish:
      return ShowMessage(this, QStringLiteral("Πρέπει να συμπληρωθεί το Αγγλικό Λήμμα"));
    case EditorRefusal::kNoGreekNorDescription:
      return ShowMessage(this, QStringLiteral("Πρέπει να συμπληρωθεί το Ελληνικό Λήμμα ή η Περιγραφή"));
    case EditorRefusal::kNone:
      break;
  }
  if (save_) {
    const QString failure = save_(texts);
    if (!failure.isEmpty()) return ShowWarning(this, failure);
  }
  accept();
}

void TInsertEntryFrm::InsertCancel_ButtonClick() { reject(); }

// Cancel, Escape and the window's close box all cancel alike.
void TInsertEntryFrm::reject() {
  InsertEntry_Text->clear();
  InsertEntry_Trans->clear();
  InsertEntry_Descr->clear();
  QDialog::reject();
}

}  // namespace quorvel::ui
