#include "ui/SearchFormU.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "ui/Artwork.h"
#include "ui/DialogFrame.h"
#include "ui/GreekLineEdit.h"
#include "ui/TextCodec.h"

namespace quorvel::ui {
namespace {

constexpr int kEditWidth = 190;

QLabel* Caption(QWidget* dialog, const char* name, const QString& text, bool bold) {
  auto* label = new QLabel(text, dialog);
  label->setObjectName(QString::fromLatin1(name));
  QFont font = label->font();
  font.setBold(bold);
  label->setFont(font);
  return label;
}

GreekLineEdit* Criterion(QWidget* dialog, const char* name, QLabel* label, const QString& accessibleName) {
  auto* edit = new GreekLineEdit(dialog);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setFixedWidth(kEditWidth);
  edit->setAccessibleName(accessibleName);
  label->setBuddy(edit);
  return edit;
}

}  // namespace

TSearchForm::TSearchForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("SearchForm"));
  auto* Image1 = new QLabel(this);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setPixmap(ArtworkPixmap(QStringLiteral("search"), QSize(48, 48)));
  Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QLabel* Label1 = Caption(this, "Label1", QStringLiteral("Αναζήτηση των Λημμάτων που:"), false);
  QLabel* Label2 = Caption(this, "Label2", QStringLiteral("Αρχίζουν με:"), true);
  QLabel* Label3 = Caption(this, "Label3", QStringLiteral("Περιέχουν:"), true);
  QLabel* Label4 = Caption(this, "Label4", QStringLiteral("Καταλήγουν σε:"), true);
  Start_Edit = Criterion(this, "Start_Edit", Label2, QStringLiteral("Λήμματα που αρχίζουν με"));
  Contain_edit = Criterion(this, "Contain_edit", Label3, QStringLiteral("Λήμματα που περιέχουν"));
  End_Edit = Criterion(this, "End_Edit", Label4, QStringLiteral("Λήμματα που καταλήγουν σε"));
  QPushButton* BitBtn1 = OkButton(this, "BitBtn1", QStringLiteral("OK"));
  QPushButton* BitBtn2 = CancelButton(this, "BitBtn2", QStringLiteral("Άκυρο"));

  auto* grid = new QGridLayout(this);
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(8);
  grid->addWidget(Image1, 0, 0, 4, 1);
  grid->addWidget(Label1, 0, 1, 1, 2);
  grid->addWidget(Label2, 1, 1);
  grid->addWidget(Start_Edit, 1, 2);
  grid->addWidget(Label3, 2, 1);
  grid->addWidget(Contain_edit, 2, 2);
  grid->addWidget(Label4, 3, 1);
  grid->addWidget(End_Edit, 3, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);
  buttons->addStretch();
  grid->addItem(new QSpacerItem(0, 6), 4, 0);
  grid->addLayout(buttons, 5, 0, 1, 3);
  SetFixedDialogFrame(this, QStringLiteral("Κριτήρια Αναζήτησης Λημμάτων"));

  setTabOrder(Start_Edit, Contain_edit);
  setTabOrder(Contain_edit, End_Edit);
  setTabOrder(End_Edit, BitBtn1);
  setTabOrder(BitBtn1, BitBtn2);
  Start_Edit->setFocus();
}

SearchCriteria TSearchForm::Criteria() const {
  return {ToCp1253(Start_Edit->text()), ToCp1253(Contain_edit->text()), ToCp1253(End_Edit->text())};
}

void TSearchForm::SetGreekKeyboard(bool on) {
  for (GreekLineEdit* field : {Start_Edit, Contain_edit, End_Edit}) field->setGreekKeyboard(on);
}

void TSearchForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOnOwner(this);
}

}  // namespace quorvel::ui
