// The main window's tool bar: the sixteen glyph buttons with their names, hints and glyphs,
// and the hover effect that raises the group under the mouse by one pixel on each side and
// brings it to the front. A button's accessible name is its hint.
#pragma once

#include <QObject>
#include <QRect>

#include <array>

class QToolButton;
class QWidget;

namespace quorvel::ui {

enum class Tool {
  Lang, Prev, PrevMenu, Next, NextMenu, Copy, Paste, Print, Search, DescrSearch,
  AutoTranslate, CustomEntries, Pinakes, Help, Pin, Exit,
};
inline constexpr int kToolCount = 16;

class ToolBar : public QObject {
  Q_OBJECT

 public:
  // Creates the buttons on `window` at their designed places (the first showing lays them out
  // with HighlightToolButton(-1)).
  explicit ToolBar(QWidget* window);

  QToolButton* button(Tool tool) const { return buttons_[static_cast<size_t>(tool)]; }

  // -1 lays out every group in its normal geometry; 0 returns a raised group to normal; 1-14
  // raises that group and returns any other raised group to normal.
  void HighlightToolButton(int group);
  // The group (1-14) of a button; 0 for anything else.
  int GroupOf(const QObject* button) const;
  // The right edge (left + width) of `tool` in its normal geometry.
  static int NormalRight(Tool tool);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::array<QToolButton*, kToolCount> buttons_{};
};

// The geometry a button takes: its glyph keeps its own size unless the button is too small.
void SetToolGeometry(QToolButton* button, const QRect& rect);

}  // namespace quorvel::ui
