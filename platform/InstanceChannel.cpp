#include "platform/InstanceChannel.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <string>

#include "platform/PosixFileSystem.h"

namespace quorvel::platform {
namespace {

constexpr int kAnswerMilliseconds = 1000;  // what a start waits for the running window
constexpr int kCallerMilliseconds = 2000;  // what the window waits for a whole request
constexpr int kLockMilliseconds = 3000;
constexpr int kMaxCallers = 8;             // connections served at once; more are closed
constexpr qsizetype kMaxSocketPath = sizeof(sockaddr_un::sun_path) - 1;

// A folder that only this user may enter: a folder (not a link to one) of this user's, with no
// permission for group or others.
bool PrivateFolder(const QString& path) {
  struct stat info;
  return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
         info.st_uid == ::geteuid() && (info.st_mode & 077) == 0;
}

bool Fits(const QString& socketPath) { return QFile::encodeName(socketPath).size() <= kMaxSocketPath; }

int Remaining(const QDeadlineTimer& deadline) {
  return static_cast<int>(std::max<qint64>(0, deadline.remainingTime()));
}

// Sends the request and reads the answer, all before `deadline`.
bool HandedOver(QLocalSocket& socket, const InstanceRequest& request, const QDeadlineTimer& deadline) {
  socket.write(EncodeInstanceRequest(request));
  while (socket.bytesToWrite() > 0) {
    if (!socket.waitForBytesWritten(Remaining(deadline))) return false;
  }
  const QByteArray expected = InstanceAnswer();
  QByteArray answer;
  while (answer.size() < expected.size()) {
    if (socket.bytesAvailable() == 0) socket.waitForReadyRead(Remaining(deadline));
    if (socket.bytesAvailable() == 0) return false;
    answer += socket.read(expected.size() - answer.size());
  }
  return answer == expected;
}

void Drop(QLocalSocket* caller) {
  caller->abort();
  caller->deleteLater();
}

}  // namespace

QString InstanceChannelName(const QString& programDir) {
  QString folder = QFileInfo(programDir).canonicalFilePath();
  if (folder.isEmpty()) folder = QDir::cleanPath(QDir(programDir).absolutePath());
  const QByteArray hash = QCryptographicHash::hash(QFile::encodeName(folder), QCryptographicHash::Sha256);
  const QString base =
      QStringLiteral("/orvanta-%1-%2").arg(::geteuid()).arg(QString::fromLatin1(hash.toHex().left(16)));
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (QDir::isAbsolutePath(runtime) && PrivateFolder(runtime) && Fits(runtime + base)) return runtime + base;
  const QString own = QDir::tempPath() + QStringLiteral("/orvanta-%1").arg(::geteuid());
  ::mkdir(QFile::encodeName(own).constData(), 0700);
  return PrivateFolder(own) && Fits(own + base) ? own + base : QString();
}

InstanceChannel::InstanceChannel(QString name, QObject* parent) : QObject(parent), name_(std::move(name)) {}

InstanceChannel::~InstanceChannel() = default;

InstanceChannel::Role InstanceChannel::HandOverOrServe(const InstanceRequest& request) {
  if (server_) return Role::kServing;
  if (name_.isEmpty()) return Role::kAlone;
  // A lock held too long (by a start that hangs) is not waited for: the decision is made without.
  PosixFileSystem files;
  std::unique_ptr<FileLock> lock;
  (void)files.LockFile(QFile::encodeName(name_).toStdString() + ".lock", kLockMilliseconds, lock);

  const QDeadlineTimer deadline(kAnswerMilliseconds);
  QLocalSocket socket;
  socket.connectToServer(name_);
  if (socket.waitForConnected(Remaining(deadline))) {
    // A server that takes the connection but does not answer is ignored.
    return HandedOver(socket, request, deadline) ? Role::kHandedOver : Role::kAlone;
  }
  const QLocalSocket::LocalSocketError error = socket.error();
  if (error != QLocalSocket::ServerNotFoundError && error != QLocalSocket::ConnectionRefusedError) {
    return Role::kAlone;
  }
  // Refused: a socket that no server stands behind any more.
  QLocalServer::removeServer(name_);
  auto server = std::make_unique<QLocalServer>(this);
  if (!server->listen(name_)) return Role::kAlone;
  server_ = server.release();
  connect(server_, &QLocalServer::newConnection, this, &InstanceChannel::Accept);
  return Role::kServing;
}

void InstanceChannel::Accept() {
  while (QLocalSocket* caller = server_->nextPendingConnection()) {
    if (callers_ >= kMaxCallers) {
      Drop(caller);
      continue;
    }
    ++callers_;
    connect(caller, &QObject::destroyed, this, [this] { --callers_; });
    // Qt keeps no more than one byte past the longest request.
    caller->setReadBufferSize(kMaxInstanceRequest + 1);
    connect(caller, &QLocalSocket::readyRead, this, [this, caller] { Read(caller); });
    connect(caller, &QLocalSocket::disconnected, caller, &QObject::deleteLater);
    // A caller that leaves its request unfinished is dropped.
    QTimer::singleShot(kCallerMilliseconds, caller, [caller] { Drop(caller); });
    Read(caller);
  }
}

void InstanceChannel::Read(QLocalSocket* caller) {
  const ParsedRequest parsed = ParseInstanceRequest(caller->peek(kMaxInstanceRequest + 1));
  switch (parsed.state) {
    case RequestState::kIncomplete:
      return;
    case RequestState::kRefused:
      return Drop(caller);
    case RequestState::kComplete:
      // One request per connection: whatever comes after the answer is not read.
      disconnect(caller, &QLocalSocket::readyRead, this, nullptr);
      caller->readAll();
      caller->write(InstanceAnswer());
      caller->flush();
      caller->disconnectFromServer();
      emit requested(parsed.request);
      return;
  }
}

}  // namespace quorvel::platform
