// TSearchForm, the search-criteria dialog: the entries that begin with, contain and end with
// given texts. Created anew for each use, so its fields start empty.
#pragma once

#include <QDialog>

#include "core/ListSearch.h"

class QLineEdit;

namespace quorvel::ui {

class TSearchForm : public QDialog {
  Q_OBJECT

 public:
  explicit TSearchForm(QWidget* parent = nullptr);

  // The three texts exactly as typed (not trimmed), in code page 1253.
  SearchCriteria Criteria() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QLineEdit* Start_Edit;
  QLineEdit* Contain_edit;
  QLineEdit* End_Edit;
};

}  // namespace quorvel::ui
