// A label with a caption in the form the window's code writes it: every "&" that is meant to
// be seen is doubled. The screen shows the caption with one "&" for each pair. A screen reader
// hears what the screen shows, and the label's purpose as its description.
#pragma once

#include <QLabel>

namespace quorvel::ui {

class CaptionLabel : public QLabel {
  Q_OBJECT

 public:
  explicit CaptionLabel(QWidget* parent = nullptr) : QLabel(parent) {}

  const QString& caption() const { return caption_; }
  void setCaption(const QString& caption);

  // The height that shows two wrapped lines of the caption whole, descenders included, and
  // never less than `designed`.
  int TwoLineHeight(int designed) const;

 private:
  QString caption_;
};

}  // namespace quorvel::ui
