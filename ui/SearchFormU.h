// The search-criteria dialog: entries that begin with, contain and end with given texts.
#pragma once

#include <QDialog>

namespace quorvel::ui {

class TSearchForm : public QDialog {
  Q_OBJECT

 public:
  explicit TSearchForm(QWidget* parent = nullptr);
};

}  // namespace quorvel::ui
