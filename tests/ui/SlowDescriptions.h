// A description converter for test sessions that can be slowed down on purpose, so that a
// description search runs long enough for a test to act while it runs.
#pragma once

#include <atomic>
#include <chrono>
#include <thread>

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "core/DescriptionSearch.h"
#include "richtext/RtfReader.h"
#include "tests/ui/ModalSteps.h"
#include "ui/MainLexU.h"

namespace quorvel::test {

// How long each description takes to convert from now on (0: at once). Shared by the session's
// threads.
struct SlowDown {
  std::atomic<int> milliseconds{0};
};

inline PlainTextConverter SlowConverter(SlowDown& slow) {
  return [&slow](std::string_view rtf) {
    if (const int ms = slow.milliseconds) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return richtext::RtfToPlainText(rtf);
  };
}

// Starts the window's description search of `word` through its dialog, as the user does, and
// returns while it runs: whether the window is busy with it now. A word of more than one run of
// letters is always searched by reading the descriptions, never answered by the word index.
inline bool StartDescriptionSearch(ui::TMainLex& window, const QString& word) {
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible() || !dialog->focusWidget()) return;
    answer.stop();
    TypeText(dialog->focusWidget(), word);
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
  });
  answer.start(10);
  QTest::mouseClick(window.findChild<QToolButton*>(QStringLiteral("DescrSearch_Button")), Qt::LeftButton);
  return window.busy();
}

}  // namespace quorvel::test
