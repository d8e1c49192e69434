// TSearchForm, the search-criteria dialog: the entries that begin with, contain and end with
// given texts. Created anew for each use, so its fields start empty.
#pragma once

#include <QDialog>

#include "core/ListSearch.h"

namespace quorvel::ui {

class GreekLineEdit;

class TSearchForm : public QDialog {
  Q_OBJECT

 public:
  explicit TSearchForm(QWidget* parent = nullptr);

  // The three texts exactly as typed (not trimmed), in code page 1253.
  SearchCriteria Criteria() const;
  // While on, the fields type Greek from a Latin keyboard, as the search box does in Greek
  // mode on a desktop without a Greek layout.
  void SetGreekKeyboard(bool on);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  GreekLineEdit* Start_Edit;
  GreekLineEdit* Contain_edit;
  GreekLineEdit* End_Edit;
};

}  // namespace quorvel::ui
