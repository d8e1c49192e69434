// The system clipboard: its text, rich content beside plain text, clearing, and a watch on the
// changes that any program makes to it. On X11 another program's copy is seen while this one
// is in the background or minimised; the program's own changes are reported at once, before
// the call that made them returns.
#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QMimeData;

namespace quorvel::platform {

class Clipboard {
 public:
  virtual ~Clipboard() = default;

  // The clipboard's text; nothing when it holds no text (a picture, files without a name).
  virtual std::optional<QString> Text() = 0;
  // Replaces the content with plain text.
  virtual void SetText(const QString& text) = 0;
  // Replaces the content with `data` (for example rich text beside plain text). Null does
  // nothing.
  virtual void SetData(std::unique_ptr<QMimeData> data) = 0;
  // Empties the clipboard.
  virtual void Clear() = 0;
  // Calls `changed` after every change of the content until Unwatch(); a second Watch()
  // replaces the first.
  virtual void Watch(std::function<void()> changed) = 0;
  virtual void Unwatch() = 0;
};

// The clipboard of the display the application runs on. Requires a QGuiApplication.
std::unique_ptr<Clipboard> CreateSystemClipboard();

// A clipboard held in memory, for tests: changes are reported at once, the program's own as
// well as those CopyElsewhere() makes in the name of another program.
class FakeClipboard : public Clipboard {
 public:
  FakeClipboard();
  ~FakeClipboard() override;

  std::optional<QString> Text() override;
  void SetText(const QString& text) override;
  void SetData(std::unique_ptr<QMimeData> data) override;
  void Clear() override;
  void Watch(std::function<void()> changed) override { changed_ = std::move(changed); }
  void Unwatch() override { changed_ = nullptr; }

  // Another program puts `data` on the clipboard.
  void CopyElsewhere(std::unique_ptr<QMimeData> data);
  // What the clipboard holds now (never null).
  const QMimeData& data() const { return *data_; }
  bool watched() const { return static_cast<bool>(changed_); }
  int changes() const { return changes_; }

 private:
  void Replace(std::unique_ptr<QMimeData> data);

  std::unique_ptr<QMimeData> data_;
  std::function<void()> changed_;
  int changes_ = 0;
};

}  // namespace quorvel::platform
