#include "platform/Desktop.h"

#include <QDesktopServices>
#include <QProcess>

namespace quorvel::platform {
namespace {

class SystemDesktop : public Desktop {
 public:
  bool Open(const QUrl& url) override { return QDesktopServices::openUrl(url); }

  bool Start(const QString& program, const QStringList& arguments, const QString& folder) override {
    return QProcess::startDetached(program, arguments, folder);
  }
};

}  // namespace

std::unique_ptr<Desktop> CreateSystemDesktop() { return std::make_unique<SystemDesktop>(); }

}  // namespace quorvel::platform
