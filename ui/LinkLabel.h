// A label that acts like a link: a click with the left button (or, when it takes the focus,
// Enter or Space) emits clicked(). Used for the main window's footer, the publisher's logo and
// the addresses of the copyright window.
#pragma once

#include <QLabel>

namespace quorvel::ui {

class LinkLabel : public QLabel {
  Q_OBJECT

 public:
  explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  bool pressed_ = false;
};

}  // namespace quorvel::ui
