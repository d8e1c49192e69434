#include "ui/MessageFormU.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "ui/DialogFrame.h"
#include "ui/GreekLineEdit.h"
#include "ui/TextCodec.h"

namespace quorvel::ui {
namespace {

const QString kNote = QStringLiteral("Η αναζήτηση αυτή ίσως χρειαστεί\nμερικά λεπτά για να ολοκληρωθεί.");

}  // namespace

TMessageForm::TMessageForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("MessageForm"));
  auto* Label1 = new QLabel(QStringLiteral("Λέξη προς Αναζήτηση:"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  QFont bold = Label1->font();
  bold.setBold(true);
  Label1->setFont(bold);
  DescrSearch_Edit = new GreekLineEdit(this);
  DescrSearch_Edit->setObjectName(QStringLiteral("DescrSearch_Edit"));
  DescrSearch_Edit->setAccessibleName(QStringLiteral("Λέξη προς Αναζήτηση"));
  DescrSearch_Edit->setMinimumWidth(280);  // wide enough for the caption in a title bar
  Label1->setBuddy(DescrSearch_Edit);

  auto* Label2 = new QLabel(QStringLiteral("Σημείωση:"), this);
  Label2->setObjectName(QStringLiteral("Label2"));
  QFont underlined = Label2->font();
  underlined.setUnderline(true);
  Label2->setFont(underlined);

  // The note: read-only, borderless, on the dialog's own background, sized to its two lines.
  auto* Memo1 = new QPlainTextEdit(kNote, this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setReadOnly(true);
  Memo1->setFrameStyle(QFrame::NoFrame);
  Memo1->setFocusPolicy(Qt::NoFocus);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo1->setBackgroundRole(QPalette::Window);
  Memo1->viewport()->setAutoFillBackground(false);
  Memo1->document()->setDocumentMargin(0);
  const QFontMetrics metrics(Memo1->font());
  Memo1->setFixedSize(metrics.horizontalAdvance(kNote.section(QLatin1Char('\n'), 0, 0)) + 8,
                      2 * metrics.lineSpacing() + 4);
  Memo1->setAccessibleName(QStringLiteral("Σημείωση"));
  Memo1->setAccessibleDescription(kNote);

  QPushButton* BitBtn1 = OkButton(this, "BitBtn1", QStringLiteral("ΟΚ"));
  QPushButton* BitBtn2 = CancelButton(this, "BitBtn2", QStringLiteral("Άκυρο"));

  auto* grid = new QGridLayout(this);
  grid->setVerticalSpacing(6);
  grid->addWidget(Label1, 0, 0);
  grid->addWidget(DescrSearch_Edit, 1, 0);
  grid->addItem(new QSpacerItem(0, 6), 2, 0);
  grid->addWidget(Label2, 3, 0);
  grid->addWidget(Memo1, 4, 0);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);
  buttons->addStretch();
  grid->addLayout(buttons, 5, 0);
  SetFixedDialogFrame(this, QStringLiteral("Αναζήτηση στις Ερμηνείες"));

  setTabOrder(DescrSearch_Edit, BitBtn1);
  setTabOrder(BitBtn1, BitBtn2);
  DescrSearch_Edit->setFocus();
}

std::string TMessageForm::Word() const { return ToCp1253(DescrSearch_Edit->text()); }

void TMessageForm::SetGreekKeyboard(bool on) { DescrSearch_Edit->setGreekKeyboard(on); }

void TMessageForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOnOwner(this);
}

}  // namespace quorvel::ui
