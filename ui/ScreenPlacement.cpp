#include "ui/ScreenPlacement.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace quorvel::ui {

void PlaceCentredOnPointerScreen(QWidget* window, QSize size) {
  QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  if (window->screen() != screen) window->setScreen(screen);
  const QRect area = screen->availableGeometry();
  const QPoint corner(std::max(area.left(), area.left() + (area.width() - size.width()) / 2),
                      std::max(area.top(), area.top() + (area.height() - size.height()) / 2));
  // A place given before the window is mapped is one the window manager keeps, rather than
  // choosing a place of its own.
  window->setGeometry(QRect(corner, size));
}

QPoint MenuPointBelow(const QWidget* button) {
  const QWidget* window = button->window();
  return window->frameGeometry().topLeft() + button->mapTo(window, QPoint(4, button->height() + 22));
}

void PopUpMenuBelow(QMenu* menu, const QWidget* button) { menu->popup(MenuPointBelow(button)); }

}  // namespace quorvel::ui
