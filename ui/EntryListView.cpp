#include "ui/EntryListView.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace quorvel::ui {
namespace {

// Draws an item as one line of text in a row of kItemHeight pixels.
class EntryItemDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
    return QSize(option.rect.width(), EntryListView::kItemHeight);
  }

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette& palette = option.palette;
    painter->save();
    painter->fillRect(option.rect, selected ? palette.highlight() : palette.base());
    painter->setPen(selected ? palette.highlightedText().color() : palette.text().color());
    painter->setFont(option.font);
    // The line of a 16-pixel font is taller than the 16-pixel item: keep the descenders whole
    // by putting the baseline one descent above the item's bottom (accents keep their room).
    const QFontMetrics metrics(option.font);
    const int baseline = option.rect.bottom() + 1 - metrics.descent();
    painter->setClipRect(option.rect);
    painter->drawText(QPoint(option.rect.left() + 2, baseline), index.data(Qt::DisplayRole).toString());
    painter->restore();
  }
};

}  // namespace

EntryListView::EntryListView(QWidget* parent) : QListView(parent) {
  setItemDelegate(new EntryItemDelegate(this));
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void EntryListView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    event->accept();
    return;
  }
  pressedOnItem_ = indexAt(event->position().toPoint()).isValid();
  QListView::mousePressEvent(event);
}

void EntryListView::mouseReleaseEvent(QMouseEvent* event) {
  QListView::mouseReleaseEvent(event);
  if (event->button() != Qt::LeftButton || !pressedOnItem_) return;
  pressedOnItem_ = false;
  if (currentIndex().isValid()) emit mouseSelected();
}

void EntryListView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    emit enterPressed();
    event->accept();
    return;
  }
  const int before = currentIndex().row();
  QListView::keyPressEvent(event);
  if (currentIndex().row() != before) emit keyboardSelected();
}

}  // namespace quorvel::ui
