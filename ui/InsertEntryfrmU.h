// The entry editor dialog: the English headword, the Greek term and the description of a user entry.
#pragma once

#include <QDialog>

namespace quorvel::ui {

class TInsertEntryFrm : public QDialog {
  Q_OBJECT

 public:
  explicit TInsertEntryFrm(QWidget* parent = nullptr);
};

}  // namespace quorvel::ui
