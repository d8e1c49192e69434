// One window per user and program folder: a local socket that a start of the program either
// hands its request to (a window is already running) or serves (it becomes that window). The
// socket lies in the user's runtime folder, named by the user id and a hash of the program
// folder's canonical path.
#pragma once

#include <QObject>
#include <QString>

#include "platform/InstanceMessage.h"

class QLocalServer;
class QLocalSocket;

namespace quorvel::platform {

// The socket of this user's starts in `programDir`: in $XDG_RUNTIME_DIR when it is a folder only
// this user may enter, else in /tmp/orvanta-<uid> (made with mode 0700 when missing). Empty when
// neither folder is this user's own (or the path is too long for a socket): the program then runs
// without the channel.
QString InstanceChannelName(const QString& programDir);

class InstanceChannel : public QObject {
  Q_OBJECT

 public:
  enum class Role {
    kHandedOver,  // the running window took the request: this start has nothing more to do
    kServing,     // no window was running: this start serves the channel
    kAlone,       // no channel (no safe folder, or a server that did not answer in time)
  };

  // `name` as InstanceChannelName gives it; empty for no channel.
  explicit InstanceChannel(QString name, QObject* parent = nullptr);
  ~InstanceChannel() override;
  InstanceChannel(const InstanceChannel&) = delete;
  InstanceChannel& operator=(const InstanceChannel&) = delete;

  // Hands `request` to the server of the channel, which must answer within a second, or else
  // becomes the server (a socket left behind by a program that ended is removed first). The
  // decision is made under a lock beside the socket, so that two starts at the same moment
  // make one server. Blocks; call it once, before the event loop runs.
  Role HandOverOrServe(const InstanceRequest& request);

 signals:
  // A whole request that the server accepted (and has answered).
  void requested(const quorvel::platform::InstanceRequest& request);

 private:
  void Accept();
  void Read(QLocalSocket* caller);

  QString name_;
  QLocalServer* server_ = nullptr;  // owned as a child while serving
  int callers_ = 0;                 // connections open now
};

}  // namespace quorvel::platform
