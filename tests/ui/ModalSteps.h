// Driving modal dialogs in window tests: typing any text, and a step that answers the next
// modal widget to open (a dialog shown with exec(), a message box) while the command that
// opened it waits. CancelWaitingSteps() ends the steps that never met their widget.
#pragma once

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <functional>

namespace quorvel::test {

// Types `text` into `widget` one character at a time, Greek letters included.
inline void TypeText(QWidget* widget, const QString& text) {
  for (const QChar ch : text) QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

inline QObject* WaitingSteps() {
  static QObject steps;
  return &steps;
}

inline void CancelWaitingSteps() { qDeleteAll(WaitingSteps()->children()); }

// Runs `step` once, with the first shown modal widget other than the one active now.
inline void OnNextModal(std::function<void(QWidget*)> step) {
  QWidget* before = QApplication::activeModalWidget();
  auto* poll = new QTimer(WaitingSteps());
  QObject::connect(poll, &QTimer::timeout, [poll, before, step] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == before || !modal->isVisible()) return;
    poll->stop();
    poll->deleteLater();
    step(modal);
  });
  poll->start(5);
}

}  // namespace quorvel::test
