#include "ui/InputHold.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace quorvel::ui {
namespace {

bool IsUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::ContextMenu:
      return true;
    default:
      return false;
  }
}

}  // namespace

InputHold::InputHold(QWidget* window) : window_(window) { qApp->installEventFilter(this); }

InputHold::~InputHold() { qApp->removeEventFilter(this); }

bool InputHold::eventFilter(QObject* watched, QEvent* event) {
  if (!IsUserInput(event->type()) || !watched->isWidgetType()) return false;
  const QWidget* target = static_cast<QWidget*>(watched)->window();
  return target == window_ || target->parentWidget() == window_;
}

}  // namespace quorvel::ui
