// TFigForm, the figure viewer: one drawing of the content folder in a borderless modal window
// centred on the main window, framed by a black panel 2 pixels wider on every side, the window
// exactly the panel's size. Any click closes it.
#pragma once

#include <QDialog>
#include <QString>

class QFrame;
class QLabel;

namespace quorvel::ui {

class TFigForm : public QDialog {
  Q_OBJECT

 public:
  explicit TFigForm(QWidget* parent = nullptr);

  // Loads the bitmap at `path` into the picture and sizes the panel and the window to it.
  // False when the file is missing or cannot be read as a picture: the window is then not to
  // be shown.
  bool LoadFigure(const QString& path);
  const QString& FigFileName() const { return FigFileName_; }

 protected:
  void showEvent(QShowEvent* event) override;
  // A click on the window, the panel or the picture (which leave clicks to the window).
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QFrame* FigPanel;
  QLabel* FigImage;
  QString FigFileName_;
};

}  // namespace quorvel::ui
