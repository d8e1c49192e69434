#include "platform/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QObject>

namespace quorvel::platform {
namespace {

class SystemClipboard : public Clipboard {
 public:
  SystemClipboard() : clipboard_(QGuiApplication::clipboard()) {}
  ~SystemClipboard() override { Unwatch(); }
  SystemClipboard(const SystemClipboard&) = delete;
  SystemClipboard& operator=(const SystemClipboard&) = delete;

  std::optional<QString> Text() override {
    const QMimeData* data = clipboard_->mimeData(QClipboard::Clipboard);
    if (!data || !data->hasText()) return std::nullopt;
    return data->text();
  }

  void SetText(const QString& text) override { clipboard_->setText(text, QClipboard::Clipboard); }

  void SetData(std::unique_ptr<QMimeData> data) override {
    if (data) clipboard_->setMimeData(data.release(), QClipboard::Clipboard);
  }

  void Clear() override { clipboard_->clear(QClipboard::Clipboard); }

  void Watch(std::function<void()> changed) override {
    Unwatch();
    watch_ = QObject::connect(clipboard_, &QClipboard::changed, clipboard_,
                              [changed = std::move(changed)](QClipboard::Mode mode) {
                                if (mode == QClipboard::Clipboard) changed();
                              });
  }

  void Unwatch() override { QObject::disconnect(watch_); }

 private:
  QClipboard* clipboard_;
  QMetaObject::Connection watch_;
};

}  // namespace

std::unique_ptr<Clipboard> CreateSystemClipboard() { return std::make_unique<SystemClipboard>(); }

FakeClipboard::FakeClipboard() : data_(std::make_unique<QMimeData>()) {}
FakeClipboard::~FakeClipboard() = default;

std::optional<QString> FakeClipboard::Text() {
  if (!data_->hasText()) return std::nullopt;
  return data_->text();
}

void FakeClipboard::SetText(const QString& text) {
  auto data = std::make_unique<QMimeData>();
  data->setText(text);
  Replace(std::move(data));
}

void FakeClipboard::SetData(std::unique_ptr<QMimeData> data) {
  if (data) Replace(std::move(data));
}

void FakeClipboard::Clear() { Replace(std::make_unique<QMimeData>()); }

void FakeClipboard::CopyElsewhere(std::unique_ptr<QMimeData> data) { Replace(std::move(data)); }

void FakeClipboard::Replace(std::unique_ptr<QMimeData> data) {
  data_ = std::move(data);
  ++changes_;
  if (changed_) changed_();
}

}  // namespace quorvel::platform
