// Driving dialogs in window tests: typing any text a key at a time; a step that runs on the
// next modal widget to open
// (a dialog shown with exec(), a message box), so that a test can answer it with keys and
// clicks while the command that opened it waits; and a guard, made for each test, that ends
// the steps still waiting and closes whatever a failed step left open, so that a failing test
// ends instead of waiting.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QString>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace quorvel::test {

// Types `text` into `widget` one character at a time, Greek letters included.
inline void TypeText(QWidget* widget, const QString& text) {
  for (const QChar ch : text) {
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
  }
}

// The owner of the steps that wait for their modal widget.
inline QObject* WaitingSteps() {
  static QObject steps;
  return &steps;
}

// Runs `step` once, with the first modal widget other than the one active now, as soon as it
// is shown.
inline void OnNextModal(std::function<void(QWidget*)> step) {
  QWidget* before = QApplication::activeModalWidget();
  auto* poll = new QTimer(WaitingSteps());
  poll->setInterval(5);
  QObject::connect(poll, &QTimer::timeout, [poll, before, step] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == before || !modal->isVisible()) return;
    poll->stop();
    poll->deleteLater();
    step(modal);
  });
  poll->start();
}

// Ends the steps still waiting.
inline void CancelWaitingSteps() { qDeleteAll(WaitingSteps()->children()); }

// While it lives, rejects every modal dialog still open after `seconds`; when it goes, the
// steps still waiting go too.
class ModalGuard {
 public:
  explicit ModalGuard(int seconds = 20) {
    timer_.setInterval(seconds * 1000);
    QObject::connect(&timer_, &QTimer::timeout, [] {
      for (int i = 0; i < 10; ++i) {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) break;
        dialog->reject();
      }
    });
    timer_.start();
  }
  ~ModalGuard() { CancelWaitingSteps(); }
  ModalGuard(const ModalGuard&) = delete;
  ModalGuard& operator=(const ModalGuard&) = delete;

 private:
  QTimer timer_;
};

}  // namespace quorvel::test
