// The desktop's services for documents, addresses and programs: a file or an address opened
// with the program the desktop chooses for it, and a program started without waiting for it.
// The windows take one Desktop; tests give them a fake that records what was asked.
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <memory>

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

}  // namespace quorvel::platform
