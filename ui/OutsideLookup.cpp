#include "ui/OutsideLookup.h"

#include <QApplication>
#include <QLineEdit>

#include <utility>

#include "platform/InstanceMessage.h"
#include "ui/MainView.h"
#include "ui/TextCodec.h"

namespace quorvel::ui {
namespace {

// How often a waiting word looks again whether the window is free.
constexpr int kRetryMilliseconds = 50;

}  // namespace

OutsideLookup::OutsideLookup(MainView& view, QLineEdit* searchBox)
    : view_(view), searchBox_(searchBox) {
  retry_.setSingleShot(true);
  retry_.setInterval(kRetryMilliseconds);
  connect(&retry_, &QTimer::timeout, this, &OutsideLookup::TypeWhenFree);
}

void OutsideLookup::Take(const QString& word, const std::optional<platform::ActivationToken>& activation) {
  if (activation) BringToFront(*activation);
  const QString text = platform::InstanceWord(word);
  if (text.trimmed().isEmpty()) return;
  waiting_ = text;
  TypeWhenFree();
}

void OutsideLookup::BringToFront(const platform::ActivationToken& activation) {
  if (view_.widget()->isMinimized()) view_.widget()->setWindowState(view_.widget()->windowState() & ~Qt::WindowMinimized);
  view_.widget()->show();
  view_.widget()->raise();
  platform::RequestActivation(view_.widget()->windowHandle(), activation);
}

// A dialog or menu acts on what the window shows, and a long search reads the dictionary: the
// word waits until they are done.
void OutsideLookup::TypeWhenFree() {
  if (!waiting_) return;
  if (QApplication::activeModalWidget() || QApplication::activePopupWidget() || view_.busy()) {
    retry_.start();
    return;
  }
  const QString text = *std::exchange(waiting_, std::nullopt);
  // As a paste: the box emptied, then the text typed into it, each change a lookup.
  searchBox_->clear();
  searchBox_->insert(ToQString(ToCp1253(text)));
  view_.FocusSearchBox();
}

}  // namespace quorvel::ui
