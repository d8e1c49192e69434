// The entry editor dialog: the English headword, the Greek term and the description of a user
// entry, or the user's addition to a published entry. It takes its texts as typed (code page
// 1253, CR LF between the description's lines) and refuses an empty headword, and a Greek term
// and description that are both empty. With a save step it closes only once the texts are
// saved: a save that fails leaves it open with the texts, saying why.
#pragma once

#include <QDialog>
#include <QString>

#include <functional>

#include "core/UserEntryStore.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace quorvel::ui {

enum class EditMode {
  kInsert,  // a new entry: empty fields
  kUpdate,  // the entry being modified, prefilled
};

class TInsertEntryFrm : public QDialog {
  Q_OBJECT

 public:
  explicit TInsertEntryFrm(QWidget* parent = nullptr);

  // The form of the next showing. In kUpdate the fields show `texts`; for a published entry
  // (origin 'L' or 'A') only the description can be changed.
  void SetEditMode(EditMode mode, const EditedEntryTexts& texts = {});
  // The three texts as they stand (after OK: as confirmed).
  NewEntryTexts Texts() const;

  // Saves the confirmed texts: an empty answer when they are saved, else the message that says
  // why not (the editor then stays open).
  using SaveStep = std::function<QString(const NewEntryTexts& texts)>;
  void SetSaveStep(SaveStep save) { save_ = std::move(save); }

  // Empties the fields and closes with cancel: the cancel button, Escape and the close box.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
  void InsertOk_ButtonClick();
  void InsertCancel_ButtonClick();

  EditMode mode_ = EditMode::kInsert;
  EditedEntryTexts edited_;
  SaveStep save_;

  QLabel* Label1 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* InsertEntry_Text = nullptr;
  QLineEdit* InsertEntry_Trans = nullptr;
  QPlainTextEdit* InsertEntry_Descr = nullptr;
  QPushButton* InsertOk_Button = nullptr;
  QPushButton* InsertCancel_Button = nullptr;
};

}  // namespace quorvel::ui
