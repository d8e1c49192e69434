// Where the program's windows and menus appear on the screen: the main window centred on the
// screen that holds the pointer, and the tool bar's menus dropping below their buttons.
// Everything is computed from where the controls really are on the screen now, never from a
// remembered window position, which a window manager may still be changing.
#pragma once

#include <QPoint>
#include <QSize>

class QMenu;
class QWidget;

namespace quorvel::ui {

// Gives the top-level `window` the client size `size` and a place centred on the available
// area of the screen that holds the pointer (the primary screen when none does), its top-left
// corner inside that area. Call it before the window is first shown, indeed before it has a
// native window: the window is then made there, and the window manager maps it there at once
// (a window moved after it is made may be framed while its move is still on its way, and the
// frame that Qt then reads is wrong). Its frame is not known before it is mapped, so the client
// area is centred; the window manager frames it where it stands.
void PlaceCentredOnPointerScreen(QWidget* window, QSize size);

// The screen point at which a tool bar menu drops below `button`: the button's left and bottom
// edges within its window, counted from the outer corner of the window's frame, plus 4 and 22
// pixels for the frame's left border and title bar, so that under a usual frame the menu drops
// just below the button.
QPoint MenuPointBelow(const QWidget* button);
// Pops `menu` up at MenuPointBelow(button).
void PopUpMenuBelow(QMenu* menu, const QWidget* button);

}  // namespace quorvel::ui
