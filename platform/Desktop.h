// The desktop's services for documents, addresses and programs: a file or an address opened
// with the program the desktop chooses for it, and a program started without waiting for it.
// The windows take one Desktop; tests give them a fake that records what was asked.
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <memory>
#include <vector>

namespace quorvel::platform {

class Desktop {
 public:
  virtual ~Desktop() = default;

  // Opens `url` (a file or an address) with the desktop's program for it; false when nothing
  // takes it.
  virtual bool Open(const QUrl& url) = 0;

  // Starts `program` with `arguments` in `folder` and does not wait for it; false when it
  // cannot be started.
  virtual bool Start(const QString& program, const QStringList& arguments, const QString& folder) = 0;
};

// Qt's desktop services and detached processes.
std::unique_ptr<Desktop> CreateSystemDesktop();

// For tests: records what it is asked and answers `succeeds`.
class FakeDesktop : public Desktop {
 public:
  struct Started {
    QString program;
    QStringList arguments;
    QString folder;
  };

  bool Open(const QUrl& url) override {
    opened.push_back(url);
    return succeeds;
  }
  bool Start(const QString& program, const QStringList& arguments, const QString& folder) override {
    started.push_back({program, arguments, folder});
    return succeeds;
  }

  bool succeeds = true;
  std::vector<QUrl> opened;
  std::vector<Started> started;
};

}  // namespace quorvel::platform
